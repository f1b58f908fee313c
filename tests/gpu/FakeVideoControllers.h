#pragma once

// Tests that enumerate GPUs link this query in place of the system's one.
#include <vector>

#include "gpu/win/WMIData.h"

namespace FakeVideoControllers {

// The records the next queries give.
void Set(const std::vector<WMIData>& records);
// Makes the next queries fail through FailRequirement with the message.
void FailWith(const char* message);

}  // namespace FakeVideoControllers
