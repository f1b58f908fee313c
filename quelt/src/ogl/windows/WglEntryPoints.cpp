#include "quelt/src/ogl/windows/WglEntryPoints.h"

#include <cstdint>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/Words.h"
#include "quelt/src/core/windows/SystemError.h"

namespace Quelt {
namespace OGL {

namespace {

template <typename Function>
void loadExported(const Core::SharedObject& library, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(library.symbol(name));
    if (entry == nullptr) {
        throw LogicalException((std::string("WGL: the library does not export ") + name).c_str());
    }
}

template <typename Function>
void loadFromDriver(const WglEntryPoints& wgl, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(driverProcAddress(wgl, name));
}

}  // namespace

bool WglEntryPoints::hasPbuffers() const {
    return choosePixelFormat != nullptr && createPbuffer != nullptr && getPbufferDC != nullptr &&
           releasePbufferDC != nullptr && destroyPbuffer != nullptr;
}

WglEntryPoints loadWglEntryPoints(const Core::SharedObject& library) {
    WglEntryPoints wgl{};
    loadExported(library, wgl.createContext, "wglCreateContext");
    loadExported(library, wgl.deleteContext, "wglDeleteContext");
    loadExported(library, wgl.makeCurrent, "wglMakeCurrent");
    loadExported(library, wgl.getCurrentContext, "wglGetCurrentContext");
    loadExported(library, wgl.getCurrentDC, "wglGetCurrentDC");
    loadExported(library, wgl.getProcAddress, "wglGetProcAddress");
    return wgl;
}

// A driver may hand out entry points for extensions it does not advertise;
// only advertised ones are used.
void loadPbufferEntryPoints(WglEntryPoints& wgl, HDC dc) {
    PFNWGLGETEXTENSIONSSTRINGARBPROC getExtensions = nullptr;
    loadFromDriver(wgl, getExtensions, "wglGetExtensionsStringARB");
    const auto extensions =
        Core::splitWords(getExtensions != nullptr ? getExtensions(dc) : nullptr);
    if (extensions.count("WGL_ARB_pixel_format") == 0 || extensions.count("WGL_ARB_pbuffer") == 0) {
        return;
    }
    loadFromDriver(wgl, wgl.choosePixelFormat, "wglChoosePixelFormatARB");
    loadFromDriver(wgl, wgl.createPbuffer, "wglCreatePbufferARB");
    loadFromDriver(wgl, wgl.getPbufferDC, "wglGetPbufferDCARB");
    loadFromDriver(wgl, wgl.releasePbufferDC, "wglReleasePbufferDCARB");
    loadFromDriver(wgl, wgl.destroyPbuffer, "wglDestroyPbufferARB");
}

void* driverProcAddress(const WglEntryPoints& wgl, const char* name) {
    void* const entry = reinterpret_cast<void*>(wgl.getProcAddress(name));
    const intptr_t code = reinterpret_cast<intptr_t>(entry);
    return (code >= -1 && code <= 3) ? nullptr : entry;
}

void throwSystemError(const std::string& action) {
    const DWORD error = GetLastError();
    throw LogicalException((action + ": " + Core::systemErrorText(error)).c_str());
}

}  // namespace OGL
}  // namespace Quelt
