#pragma once

#include <vector>

#include "quelt/src/ogl/LoadedPlatform.h"

namespace Quelt {
namespace OGL {

// A machine has a handful of display devices; a system that goes on answering
// past this many is broken, and asking on would never end.
const DWORD maxDisplayDevices = 1024;

// The display devices that show part of the desktop, in the system's order.
// Devices that are switched off and mirroring pseudo-devices cannot host a
// context and are left out. Asks through enumerate; throws LogicalException when
// it answers more than maxDisplayDevices devices.
std::vector<DISPLAY_DEVICEA> enumerateDisplayDevices(
    decltype(&::EnumDisplayDevicesA) enumerate = ::EnumDisplayDevicesA);

}  // namespace OGL
}  // namespace Quelt
