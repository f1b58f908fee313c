#pragma once

#include <vector>

#include "quelt/quelt_ogl/DisplayDevice.h"

namespace Quelt {
namespace OGL {

// The display devices that show part of the desktop, in the system's order.
// Devices that are switched off and mirroring pseudo-devices cannot host a
// context and are left out.
std::vector<DISPLAY_DEVICEA> enumerateDisplayDevices();

// A device with only its size set, as an answer where there is none.
DISPLAY_DEVICEA emptyDisplayDevice();

}  // namespace OGL
}  // namespace Quelt
