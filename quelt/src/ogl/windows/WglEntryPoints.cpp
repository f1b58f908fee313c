#include "quelt/src/ogl/windows/WglEntryPoints.h"

#include <cstdint>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/EntryPoints.h"
#include "quelt/src/core/Words.h"
#include "quelt/src/core/windows/SystemError.h"

namespace Quelt {
namespace OGL {

bool WglEntryPoints::hasPbuffers() const {
    return choosePixelFormat != nullptr && createPbuffer != nullptr && getPbufferDC != nullptr &&
           releasePbufferDC != nullptr && destroyPbuffer != nullptr;
}

WglEntryPoints loadWglEntryPoints(const Core::SharedObject& library) {
    const auto loadExported = [&library](auto& entry, const char* name) {
        Core::loadRequiredEntry(Core::exportsOf(library), entry, name,
                                "WGL: the library does not export ");
    };
    WglEntryPoints wgl{};
    loadExported(wgl.createContext, "wglCreateContext");
    loadExported(wgl.deleteContext, "wglDeleteContext");
    loadExported(wgl.makeCurrent, "wglMakeCurrent");
    loadExported(wgl.getCurrentContext, "wglGetCurrentContext");
    loadExported(wgl.getCurrentDC, "wglGetCurrentDC");
    loadExported(wgl.getProcAddress, "wglGetProcAddress");
    return wgl;
}

// A driver may hand out entry points for extensions it does not advertise;
// only advertised ones are used.
void loadPbufferEntryPoints(WglEntryPoints& wgl, HDC dc) {
    const auto loadFromDriver = [&wgl](auto& entry, const char* name) {
        Core::loadEntry([&wgl](const char* symbol) { return driverProcAddress(wgl, symbol); },
                        entry, name);
    };
    PFNWGLGETEXTENSIONSSTRINGARBPROC getExtensions = nullptr;
    loadFromDriver(getExtensions, "wglGetExtensionsStringARB");
    const auto extensions = Core::splitWords(
        "wglGetExtensionsStringARB", getExtensions != nullptr ? getExtensions(dc) : nullptr);
    if (extensions.count("WGL_ARB_pixel_format") == 0 || extensions.count("WGL_ARB_pbuffer") == 0) {
        return;
    }
    loadFromDriver(wgl.choosePixelFormat, "wglChoosePixelFormatARB");
    loadFromDriver(wgl.createPbuffer, "wglCreatePbufferARB");
    loadFromDriver(wgl.getPbufferDC, "wglGetPbufferDCARB");
    loadFromDriver(wgl.releasePbufferDC, "wglReleasePbufferDCARB");
    loadFromDriver(wgl.destroyPbuffer, "wglDestroyPbufferARB");
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
