#pragma once

#include <vector>

#include "quelt/quelt_ogl/DisplayDevice.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/windows/WglEntryPoints.h"

namespace Quelt {
namespace OGL {

// What Library::initialize found: the driver's entry points and the display
// devices contexts can be made on. A platform lives as long as the process, so
// pointers to it never dangle.
struct WglPlatform {
    WglEntryPoints wgl;
    GLEntryPoints gl;
    std::vector<DISPLAY_DEVICEA> devices;
};

// The platform of the last successful Library::initialize; null before.
const WglPlatform* loadedPlatform();

// As loadedPlatform(), but throws LogicalException when there is none.
const WglPlatform& requirePlatform();

}  // namespace OGL
}  // namespace Quelt
