#pragma once

#include <vector>

#include "quelt/src/ogl/LoadedPlatform.h"

namespace Quelt {
namespace OGL {

// The display devices that show part of the desktop, in the system's order.
// Devices that are switched off and mirroring pseudo-devices cannot host a
// context and are left out.
std::vector<DISPLAY_DEVICEA> enumerateDisplayDevices();

}  // namespace OGL
}  // namespace Quelt
