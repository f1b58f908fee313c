#include "quelt/src/ogl/posix/EglEntryPoints.h"

#include <cstdio>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/EntryPoints.h"
#include "quelt/src/core/Words.h"

namespace Quelt {
namespace OGL {

namespace {

[[noreturn]] void fail(const std::string& reason) {
    throw LogicalException(("EGL: " + reason).c_str());
}

}  // namespace

EglEntryPoints loadEglEntryPoints(const Core::SharedObject& library) {
    const auto loadExported = [&library](auto& entry, const char* name) {
        Core::loadRequiredEntry(Core::exportsOf(library), entry, name,
                                "EGL: the library does not export ");
    };
    EglEntryPoints egl{};
    loadExported(egl.getProcAddress, "eglGetProcAddress");
    loadExported(egl.getError, "eglGetError");
    loadExported(egl.queryString, "eglQueryString");
    loadExported(egl.initialize, "eglInitialize");
    loadExported(egl.bindAPI, "eglBindAPI");
    loadExported(egl.queryAPI, "eglQueryAPI");
    loadExported(egl.chooseConfig, "eglChooseConfig");
    loadExported(egl.createContext, "eglCreateContext");
    loadExported(egl.destroyContext, "eglDestroyContext");
    loadExported(egl.createPbufferSurface, "eglCreatePbufferSurface");
    loadExported(egl.destroySurface, "eglDestroySurface");
    loadExported(egl.makeCurrent, "eglMakeCurrent");
    loadExported(egl.getCurrentContext, "eglGetCurrentContext");
    loadExported(egl.getCurrentDisplay, "eglGetCurrentDisplay");
    loadExported(egl.getCurrentSurface, "eglGetCurrentSurface");

    // Null when the library has no client extensions at all. EGL_EXT_device_base
    // is the older name of enumeration and query together.
    const auto client = Core::splitWords("eglQueryString(EGL_EXTENSIONS)",
                                         egl.queryString(EGL_NO_DISPLAY, EGL_EXTENSIONS));
    const bool devices = client.count("EGL_EXT_device_base") != 0 ||
                         (client.count("EGL_EXT_device_enumeration") != 0 &&
                          client.count("EGL_EXT_device_query") != 0);
    if (!devices || client.count("EGL_EXT_platform_device") == 0) {
        fail(
            "the library cannot enumerate devices and open displays on them "
            "(EGL_EXT_device_base, EGL_EXT_platform_device), which OpenGL without a window needs");
    }
    const auto loadExtension = [&egl](auto& entry, const char* name) {
        Core::loadRequiredEntry(egl.getProcAddress, entry, name, "EGL: the library has no ");
    };
    loadExtension(egl.queryDevices, "eglQueryDevicesEXT");
    loadExtension(egl.queryDeviceString, "eglQueryDeviceStringEXT");
    loadExtension(egl.getPlatformDisplay, "eglGetPlatformDisplayEXT");
    return egl;
}

void throwEglError(const EglEntryPoints& egl, const std::string& action) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(egl.getError()));
    throw LogicalException((action + ": EGL error " + code).c_str());
}

}  // namespace OGL
}  // namespace Quelt
