#include "quelt/src/ogl/posix/EglEntryPoints.h"

#include <cstdio>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/Words.h"

namespace Quelt {
namespace OGL {

namespace {

[[noreturn]] void fail(const std::string& reason) {
    throw LogicalException(("EGL: " + reason).c_str());
}

template <typename Function>
void loadExported(const Core::SharedObject& library, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(library.symbol(name));
    if (entry == nullptr) fail(std::string("the library does not export ") + name);
}

template <typename Function>
void loadExtension(const EglEntryPoints& egl, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(egl.getProcAddress(name));
    if (entry == nullptr) fail(std::string("the library has no ") + name);
}

}  // namespace

EglEntryPoints loadEglEntryPoints(const Core::SharedObject& library) {
    EglEntryPoints egl{};
    loadExported(library, egl.getProcAddress, "eglGetProcAddress");
    loadExported(library, egl.getError, "eglGetError");
    loadExported(library, egl.queryString, "eglQueryString");
    loadExported(library, egl.initialize, "eglInitialize");
    loadExported(library, egl.bindAPI, "eglBindAPI");
    loadExported(library, egl.queryAPI, "eglQueryAPI");
    loadExported(library, egl.chooseConfig, "eglChooseConfig");
    loadExported(library, egl.createContext, "eglCreateContext");
    loadExported(library, egl.destroyContext, "eglDestroyContext");
    loadExported(library, egl.createPbufferSurface, "eglCreatePbufferSurface");
    loadExported(library, egl.destroySurface, "eglDestroySurface");
    loadExported(library, egl.makeCurrent, "eglMakeCurrent");
    loadExported(library, egl.getCurrentContext, "eglGetCurrentContext");
    loadExported(library, egl.getCurrentDisplay, "eglGetCurrentDisplay");
    loadExported(library, egl.getCurrentSurface, "eglGetCurrentSurface");

    // Null when the library has no client extensions at all. EGL_EXT_device_base
    // is the older name of enumeration and query together.
    const auto client = Core::splitWords(egl.queryString(EGL_NO_DISPLAY, EGL_EXTENSIONS));
    const bool devices = client.count("EGL_EXT_device_base") != 0 ||
                         (client.count("EGL_EXT_device_enumeration") != 0 &&
                          client.count("EGL_EXT_device_query") != 0);
    if (!devices || client.count("EGL_EXT_platform_device") == 0) {
        fail(
            "the library cannot enumerate devices and open displays on them "
            "(EGL_EXT_device_base, EGL_EXT_platform_device), which OpenGL without a window needs");
    }
    loadExtension(egl, egl.queryDevices, "eglQueryDevicesEXT");
    loadExtension(egl, egl.queryDeviceString, "eglQueryDeviceStringEXT");
    loadExtension(egl, egl.getPlatformDisplay, "eglGetPlatformDisplayEXT");
    return egl;
}

void throwEglError(const EglEntryPoints& egl, const std::string& action) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(egl.getError()));
    throw LogicalException((action + ": EGL error " + code).c_str());
}

}  // namespace OGL
}  // namespace Quelt
