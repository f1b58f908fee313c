#include "quelt/quelt_ogl/Library.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/wgl/CurrentContext.h"
#include "quelt/src/ogl/wgl/DisplayDevices.h"
#include "quelt/src/ogl/wgl/HiddenWindow.h"
#include "quelt/src/ogl/wgl/WglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

const char* const defaultDriverLibrary = "opengl32.dll";

// WGL hands out extension and post-1.1 entry points only while a context is
// current, so one is made on a hidden window for as long as they are read.
// Whatever was current before is current again afterwards.
class ProbeContext {
public:
    explicit ProbeContext(const WglEntryPoints& wgl)
        : wgl(wgl),
          window(0, 0),
          saved(currentContext(wgl)),
          context(wgl.createContext(window.dc())) {
        if (context == nullptr) throwSystemError("cannot create an OpenGL context");
        if (!wgl.makeCurrent(window.dc(), context)) {
            const DWORD error = GetLastError();
            wgl.deleteContext(context);
            SetLastError(error);
            throwSystemError("cannot make an OpenGL context current");
        }
    }

    ~ProbeContext() {
        restoreContext(wgl, saved);
        wgl.deleteContext(context);
    }

    HDC dc() const { return window.dc(); }

private:
    ProbeContext(const ProbeContext&) = delete;
    ProbeContext& operator=(const ProbeContext&) = delete;

    const WglEntryPoints& wgl;
    const HiddenWindow window;
    const CurrentContext saved;
    const HGLRC context;
};

// Every platform ever loaded, by library name, kept for the life of the process
// like the libraries themselves; a second initialize with the same library
// reuses the first one's.
std::mutex platformsMutex;
std::map<std::string, std::unique_ptr<const WglPlatform>> platforms;
std::atomic<const WglPlatform*> currentPlatform{nullptr};

std::unique_ptr<const WglPlatform> loadPlatform(const std::string& libraryName) {
    const Core::SharedObject library(libraryName, "the OpenGL driver");
    auto platform = std::make_unique<WglPlatform>();
    platform->wgl = loadWglEntryPoints(library);
    WglEntryPoints& wgl = platform->wgl;
    {
        const ProbeContext probe(wgl);
        loadPbufferEntryPoints(wgl, probe.dc());
        // OpenGL 1.1 is exported by the library; everything newer comes from the driver.
        platform->gl = loadGLEntryPoints([&library, &wgl](const char* name) {
            void* const exported = library.symbol(name);
            return exported != nullptr ? exported : driverProcAddress(wgl, name);
        });
    }
    platform->devices = enumerateDisplayDevices();
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

const WglPlatform* loadedPlatform() { return currentPlatform; }

const WglPlatform& requirePlatform() {
    const WglPlatform* platform = currentPlatform;
    if (platform == nullptr) {
        throw LogicalException("OpenGL is not initialised: call Quelt::OGL::Library::initialize");
    }
    return *platform;
}

const GLEntryPoints* glEntryPoints() {
    const WglPlatform* platform = currentPlatform;
    return platform != nullptr ? &platform->gl : nullptr;
}

}  // namespace OGL
}  // namespace Quelt
