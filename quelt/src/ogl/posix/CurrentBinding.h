#pragma once

#include "quelt/src/ogl/posix/EglEntryPoints.h"

namespace Quelt {
namespace OGL {

// EGL answers "what is current" and releases contexts for the thread's bound
// client API; this binds OpenGL for as long as it lives and then puts the
// caller's API back.
class OpenGLApiScope {
public:
    explicit OpenGLApiScope(const EglEntryPoints& egl);
    ~OpenGLApiScope();

    OpenGLApiScope(const OpenGLApiScope&) = delete;
    OpenGLApiScope& operator=(const OpenGLApiScope&) = delete;

private:
    const EglEntryPoints& egl;
    EGLenum previous;
};

// The OpenGL context current on this thread and the surfaces it uses.
struct CurrentBinding {
    EGLDisplay display;
    EGLSurface draw;
    EGLSurface read;
    EGLContext context;
};

CurrentBinding currentOpenGLBinding(const EglEntryPoints& egl);

}  // namespace OGL
}  // namespace Quelt
