#pragma once

#include <string>
#include <vector>

#include "gpu/win/WMIData.h"

// The display adapters as the sysfs tree under sysfsRoot describes them;
// GetVideoControllers() reads "/sys".
std::vector<WMIData> GetVideoControllers(const std::string& sysfsRoot);
