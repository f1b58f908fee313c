#pragma once

#include <string>
#include <vector>

#include "gpu/win/WMIData.h"

// The machine's display adapters, one record each, in the order the system
// enumerates them. A failing system query ends the call through FailRequirement.
std::vector<WMIData> GetVideoControllers();

// Narrow text from UTF-16 code units: printable ASCII (0x20 to 0x7E) as it is,
// every other unit as \x and four lowercase hexadecimal digits.
std::string EscapeWideText(const std::u16string& text);
