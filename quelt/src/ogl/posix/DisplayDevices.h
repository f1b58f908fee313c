#pragma once

#include <vector>

#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

// One EGL device and the display device the library's users see for it.
struct EglDisplayDevice {
    EGLDeviceEXT handle;
    DISPLAY_DEVICEA description;
};

// One display device per EGL device, in EGL's order. A device backed by a DRM
// node is named after its PCI adapter, so that it meets the adapter lists of
// the system by name; the primary device is the one on the boot VGA adapter,
// else the first.
std::vector<EglDisplayDevice> enumerateDisplayDevices(const EglEntryPoints& egl);

}  // namespace OGL
}  // namespace Quelt
