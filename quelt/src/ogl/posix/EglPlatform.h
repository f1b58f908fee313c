#pragma once

#include <vector>

#include "quelt/src/ogl/LoadedPlatform.h"
#include "quelt/src/ogl/posix/EglEntryPoints.h"

namespace Quelt {
namespace OGL {

// The EGL driver's entry points, and the EGL device behind each display device.
struct EglPlatform : LoadedPlatform {
    EglEntryPoints egl;
    std::vector<EGLDeviceEXT> deviceHandles;  // one per entry of devices, in its order
};

}  // namespace OGL
}  // namespace Quelt
