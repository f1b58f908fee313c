#include "quelt/quelt_ogl/Library.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/egl/DisplayDevices.h"
#include "quelt/src/ogl/egl/EglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

const char* const defaultDriverLibrary = "libEGL.so.1";

// Every platform ever loaded, by library name, kept for the life of the process
// like the libraries themselves; a second initialize with the same library
// reuses the first one's.
std::mutex platformsMutex;
std::map<std::string, std::unique_ptr<const EglPlatform>> platforms;
std::atomic<const EglPlatform*> currentPlatform{nullptr};

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

// A failing initialize leaves an earlier successful one in force.
void Library::initialize(const InitOptions& options) {
    const std::string libraryName =
        options.driverLibrary.empty() ? defaultDriverLibrary : options.driverLibrary;
    std::lock_guard<std::mutex> lock(platformsMutex);
    auto platform = platforms.find(libraryName);
    if (platform == platforms.end()) {
        platform = platforms.emplace(libraryName, loadPlatform(libraryName)).first;
    }
    currentPlatform = platform->second.get();
}

const EglPlatform* loadedPlatform() { return currentPlatform; }

const EglPlatform& requirePlatform() {
    const EglPlatform* platform = currentPlatform;
    if (platform == nullptr) {
        throw LogicalException("OpenGL is not initialised: call Quelt::OGL::Library::initialize");
    }
    return *platform;
}

const GLEntryPoints* glEntryPoints() {
    const EglPlatform* platform = currentPlatform;
    return platform != nullptr ? &platform->gl : nullptr;
}

}  // namespace OGL
}  // namespace Quelt
