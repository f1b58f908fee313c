#include "quelt/quelt_ogl/ContextOffscreen.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/DriverAnswer.h"
#include "quelt/src/core/Words.h"
#include "quelt/src/ogl/PlatformContext.h"
#include "quelt/src/ogl/posix/CurrentBinding.h"
#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

// Profiles came with EGL 1.5 and EGL_KHR_create_context; before them every
// desktop context was what is now the compatibility profile.
bool hasProfiles(const EglEntryPoints& egl, EGLDisplay display,
                 const std::set<std::string>& extensions) {
    const std::string version = Core::boundedText(
        "eglQueryString(EGL_VERSION)", egl.queryString(display, EGL_VERSION), Core::maxTextBytes);
    int major = 0;
    int minor = 0;
    const bool known = std::sscanf(version.c_str(), "%d.%d", &major, &minor) == 2;
    return (known && (major > 1 || minor >= 5)) || extensions.count("EGL_KHR_create_context") != 0;
}

}  // namespace

// The display is initialised but never terminated: EGL displays are shared by
// everyone who opens the same device, and terminating one would pull it from
// under every other context on it.
struct ContextOffscreen::State {
    const EglEntryPoints* egl = nullptr;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;

    ~State() {
        if (context == EGL_NO_CONTEXT) return;
        forgetContext(context);
        const OpenGLApiScope api(*egl);
        if (egl->getCurrentContext() == context) {
            egl->makeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        if (surface != EGL_NO_SURFACE) egl->destroySurface(display, surface);
        egl->destroyContext(display, context);
    }
};

ContextOffscreen::ContextOffscreen(const DISPLAY_DEVICEA& device)
    : state(std::make_unique<State>()) {
    const EglPlatform& platform = requirePlatformAs<EglPlatform>();
    const size_t index = findDisplayDevice(platform, device);
    const EglEntryPoints& egl = platform.egl;
    const std::string name = platform.devices[index].DeviceString;
    state->egl = &egl;

    state->display =
        egl.getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, platform.deviceHandles[index], nullptr);
    if (state->display == EGL_NO_DISPLAY) throwEglError(egl, "cannot open a display on " + name);
    // The version pointers may be null, but some drivers write through them anyway.
    EGLint major = 0;
    EGLint minor = 0;
    if (egl.initialize(state->display, &major, &minor) != EGL_TRUE) {
        throwEglError(egl, "cannot initialise the display on " + name);
    }
    const auto extensions = Core::splitWords("eglQueryString(EGL_EXTENSIONS)",
                                             egl.queryString(state->display, EGL_EXTENSIONS));
    const bool surfaceless = extensions.count("EGL_KHR_surfaceless_context") != 0;

    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE,
                                       surfaceless ? 0 : EGL_PBUFFER_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (egl.chooseConfig(state->display, configAttributes, &config, 1, &configs) != EGL_TRUE ||
        configs < 1) {
        throw LogicalException(("no desktop OpenGL configuration on " + name).c_str());
    }

    const OpenGLApiScope api(egl);
    const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                    EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    state->context =
        egl.createContext(state->display, config, EGL_NO_CONTEXT,
                          hasProfiles(egl, state->display, extensions) ? compatibility : nullptr);
    if (state->context == EGL_NO_CONTEXT) {
        throwEglError(egl, "cannot create an OpenGL context on " + name);
    }
    if (!surfaceless) {
        const EGLint size[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
        state->surface = egl.createPbufferSurface(state->display, config, size);
        if (state->surface == EGL_NO_SURFACE) {
            throwEglError(egl, "cannot create a pbuffer on " + name);
        }
    }
}

ContextOffscreen::~ContextOffscreen() = default;

void ContextOffscreen::makeCurrent() {
    const EglEntryPoints& egl = *state->egl;
    egl.bindAPI(EGL_OPENGL_API);
    if (egl.makeCurrent(state->display, state->surface, state->surface, state->context) !=
        EGL_TRUE) {
        throwEglError(egl, "cannot make the OpenGL context current");
    }
}

}  // namespace OGL
}  // namespace Quelt
