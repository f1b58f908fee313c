#include "quelt/src/ogl/posix/CurrentBinding.h"

#include "quelt/src/ogl/PlatformContext.h"
#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

OpenGLApiScope::OpenGLApiScope(const EglEntryPoints& egl) : egl(egl), previous(egl.queryAPI()) {
    egl.bindAPI(EGL_OPENGL_API);
}

OpenGLApiScope::~OpenGLApiScope() { egl.bindAPI(previous); }

CurrentBinding currentOpenGLBinding(const EglEntryPoints& egl) {
    const OpenGLApiScope api(egl);
    return CurrentBinding{egl.getCurrentDisplay(), egl.getCurrentSurface(EGL_DRAW),
                          egl.getCurrentSurface(EGL_READ), egl.getCurrentContext()};
}

void* currentContextHandle() {
    const EglPlatform* platform = loadedPlatformAs<EglPlatform>();
    if (platform == nullptr) return nullptr;
    const EGLContext context = currentOpenGLBinding(platform->egl).context;
    return context != EGL_NO_CONTEXT ? context : nullptr;
}

}  // namespace OGL
}  // namespace Quelt
