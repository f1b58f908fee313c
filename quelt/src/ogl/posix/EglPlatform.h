#pragma once

#include <vector>

#include "quelt/quelt_ogl/DisplayDevice.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/posix/EglEntryPoints.h"

namespace Quelt {
namespace OGL {

// One EGL device and the display device the library's users see for it.
struct EglDisplayDevice {
    EGLDeviceEXT handle;
    DISPLAY_DEVICEA description;
};

// What Library::initialize found: the driver's entry points and its devices.
// A platform lives as long as the process, so pointers to it never dangle.
struct EglPlatform {
    EglEntryPoints egl;
    GLEntryPoints gl;
    std::vector<EglDisplayDevice> devices;
};

// The platform of the last successful Library::initialize; null before.
const EglPlatform* loadedPlatform();

// As loadedPlatform(), but throws LogicalException when there is none.
const EglPlatform& requirePlatform();

}  // namespace OGL
}  // namespace Quelt
