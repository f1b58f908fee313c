#pragma once

#include <string>

#include "quelt/src/core/SharedObject.h"
#include "quelt/src/ogl/posix/Egl.h"

namespace Quelt {
namespace OGL {

// The EGL functions the library calls, from the EGL library opened at run time.
// Every entry is present: loading fails otherwise.
struct EglEntryPoints {
    PFNEGLGETPROCADDRESSPROC getProcAddress;
    PFNEGLGETERRORPROC getError;
    PFNEGLQUERYSTRINGPROC queryString;
    PFNEGLINITIALIZEPROC initialize;
    PFNEGLBINDAPIPROC bindAPI;
    PFNEGLQUERYAPIPROC queryAPI;
    PFNEGLCHOOSECONFIGPROC chooseConfig;
    PFNEGLCREATECONTEXTPROC createContext;
    PFNEGLDESTROYCONTEXTPROC destroyContext;
    PFNEGLCREATEPBUFFERSURFACEPROC createPbufferSurface;
    PFNEGLDESTROYSURFACEPROC destroySurface;
    PFNEGLMAKECURRENTPROC makeCurrent;
    PFNEGLGETCURRENTCONTEXTPROC getCurrentContext;
    PFNEGLGETCURRENTDISPLAYPROC getCurrentDisplay;
    PFNEGLGETCURRENTSURFACEPROC getCurrentSurface;
    // From the client extensions EGL_EXT_device_enumeration, EGL_EXT_device_query
    // and EGL_EXT_platform_base, which rendering without a window depends on.
    PFNEGLQUERYDEVICESEXTPROC queryDevices;
    PFNEGLQUERYDEVICESTRINGEXTPROC queryDeviceString;
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay;
};

// Throws LogicalException naming what is missing.
EglEntryPoints loadEglEntryPoints(const Core::SharedObject& library);

// Throws LogicalException with the action and EGL's last error.
[[noreturn]] void throwEglError(const EglEntryPoints& egl, const std::string& action);

}  // namespace OGL
}  // namespace Quelt
