#pragma once

#include <string>

namespace Quelt {
namespace Core {

// The system's text for a Windows error code (as GetLastError gives it), with
// the code itself, for messages such as "cannot load x: <text> (error 126)".
std::string systemErrorText(unsigned long error);

}  // namespace Core
}  // namespace Quelt
