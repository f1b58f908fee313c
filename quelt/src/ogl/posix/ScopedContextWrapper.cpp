#include "quelt/quelt_ogl/ScopedContextWrapper.h"

#include "quelt/src/ogl/posix/CurrentBinding.h"
#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

struct ScopedContextWrapper::Saved {
    const EglPlatform* platform;
    CurrentBinding binding;
};

ScopedContextWrapper::ScopedContextWrapper() {
    const EglPlatform* platform = loadedPlatformAs<EglPlatform>();
    if (platform != nullptr) {
        saved = std::make_unique<Saved>(Saved{platform, currentOpenGLBinding(platform->egl)});
    }
}

// A context that cannot be made current again (destroyed meanwhile) leaves the
// thread without one: a destructor has nobody to report to.
ScopedContextWrapper::~ScopedContextWrapper() {
    if (!saved) return;
    const EglEntryPoints& egl = saved->platform->egl;
    const OpenGLApiScope api(egl);
    const CurrentBinding& before = saved->binding;
    if (before.context != EGL_NO_CONTEXT) {
        if (egl.makeCurrent(before.display, before.draw, before.read, before.context) == EGL_TRUE) {
            return;
        }
    }
    const EGLDisplay display = egl.getCurrentDisplay();
    if (display != EGL_NO_DISPLAY) {
        egl.makeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
}

}  // namespace OGL
}  // namespace Quelt
