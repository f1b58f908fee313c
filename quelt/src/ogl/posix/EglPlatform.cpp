#include "quelt/src/ogl/posix/EglPlatform.h"

#include "quelt/src/ogl/posix/DisplayDevices.h"

namespace Quelt {
namespace OGL {

const char* const defaultDriverLibrary = "libEGL.so.1";

std::unique_ptr<const LoadedPlatform> loadPlatform(const std::string& libraryName) {
    const Core::SharedObject library(libraryName, "the OpenGL driver");
    auto platform = std::make_unique<EglPlatform>();
    platform->egl = loadEglEntryPoints(library);
    const EglEntryPoints& egl = platform->egl;
    platform->gl = loadGLEntryPoints(
        [&egl](const char* name) { return reinterpret_cast<void*>(egl.getProcAddress(name)); });
    for (const EglDisplayDevice& device : enumerateDisplayDevices(egl)) {
        platform->devices.push_back(device.description);
        platform->deviceHandles.push_back(device.handle);
    }
    return platform;
}

}  // namespace OGL
}  // namespace Quelt
