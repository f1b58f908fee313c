#include "quelt/quelt_ogl/Library.h"

#include <memory>

#include "quelt/src/ogl/LoadedPlatforms.h"
#include "quelt/src/ogl/posix/DisplayDevices.h"
#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

const char* const defaultDriverLibrary = "libEGL.so.1";

LoadedPlatforms<EglPlatform> platforms;

std::unique_ptr<const EglPlatform> loadPlatform(const std::string& libraryName) {
    const Core::SharedObject library(libraryName, "the OpenGL driver");
    auto platform = std::make_unique<EglPlatform>();
    platform->egl = loadEglEntryPoints(library);
    const EglEntryPoints& egl = platform->egl;
    platform->gl = loadGLEntryPoints(
        [&egl](const char* name) { return reinterpret_cast<void*>(egl.getProcAddress(name)); });
    platform->devices = enumerateDisplayDevices(egl);
    return platform;
}

}  // namespace

Library::InitOptions::InitOptions() = default;

void Library::initialize(const InitOptions& options) {
    platforms.select(options.driverLibrary.empty() ? defaultDriverLibrary : options.driverLibrary,
                     loadPlatform);
}

const EglPlatform* loadedPlatform() { return platforms.loaded(); }

const EglPlatform& requirePlatform() { return platforms.require(); }

const GLEntryPoints* glEntryPoints() {
    const EglPlatform* platform = platforms.loaded();
    return platform != nullptr ? &platform->gl : nullptr;
}

}  // namespace OGL
}  // namespace Quelt
