#include "quelt/src/ogl/windows/WglPlatform.h"

#include "quelt/src/ogl/windows/CurrentContext.h"
#include "quelt/src/ogl/windows/DisplayDevices.h"
#include "quelt/src/ogl/windows/HiddenWindow.h"

namespace Quelt {
namespace OGL {

const char* const defaultDriverLibrary = "opengl32.dll";

namespace {

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

}  // namespace

std::unique_ptr<const LoadedPlatform> loadPlatform(const std::string& libraryName) {
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

}  // namespace OGL
}  // namespace Quelt
