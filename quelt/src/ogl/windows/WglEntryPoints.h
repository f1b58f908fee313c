#pragma once

#include <string>

#include "quelt/src/core/SharedObject.h"
#include "quelt/src/ogl/windows/Wgl.h"

namespace Quelt {
namespace OGL {

// The WGL functions the library calls. The first group is exported by the
// driver library and always present; the pbuffer group comes from the driver
// through wglGetProcAddress and is null unless the driver offers both
// WGL_ARB_pixel_format and WGL_ARB_pbuffer.
struct WglEntryPoints {
    decltype(&::wglCreateContext) createContext;
    decltype(&::wglDeleteContext) deleteContext;
    decltype(&::wglMakeCurrent) makeCurrent;
    decltype(&::wglGetCurrentContext) getCurrentContext;
    decltype(&::wglGetCurrentDC) getCurrentDC;
    decltype(&::wglGetProcAddress) getProcAddress;

    PFNWGLCHOOSEPIXELFORMATARBPROC choosePixelFormat;
    PFNWGLCREATEPBUFFERARBPROC createPbuffer;
    PFNWGLGETPBUFFERDCARBPROC getPbufferDC;
    PFNWGLRELEASEPBUFFERDCARBPROC releasePbufferDC;
    PFNWGLDESTROYPBUFFERARBPROC destroyPbuffer;

    bool hasPbuffers() const;
};

// The exported group. Throws LogicalException naming what is missing.
WglEntryPoints loadWglEntryPoints(const Core::SharedObject& library);

// The pbuffer group, read while a context on dc is current.
void loadPbufferEntryPoints(WglEntryPoints& wgl, HDC dc);

// wglGetProcAddress of the current context, null where the driver has no such
// function. Some drivers answer 1, 2, 3 or -1 instead of null for that.
void* driverProcAddress(const WglEntryPoints& wgl, const char* name);

// Throws LogicalException with the action and the system's last error.
[[noreturn]] void throwSystemError(const std::string& action);

}  // namespace OGL
}  // namespace Quelt
