// The OpenGL functions the library's users call directly. They forward to the
// driver loaded by Library::initialize, so a program linked with the library
// does not link the OpenGL library itself and still runs where none exists.
#include "quelt/src/ogl/GLEntryPoints.h"

namespace {

const GLubyte emptyText[] = {0};

}  // namespace

extern "C" {

// Null from the driver (no context, or a bad name) becomes the empty text, so
// callers can always copy the result.
const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    const Quelt::OGL::GLEntryPoints* gl = Quelt::OGL::glEntryPoints();
    const GLubyte* text = gl != nullptr ? gl->getString(name) : nullptr;
    return text != nullptr ? text : emptyText;
}

void GLAPIENTRY glGetIntegerv(GLenum name, GLint* params) {
    const Quelt::OGL::GLEntryPoints* gl = Quelt::OGL::glEntryPoints();
    if (gl != nullptr) gl->getIntegerv(name, params);
}

// Without a driver nothing can succeed, which GL_INVALID_OPERATION says best.
GLenum GLAPIENTRY glGetError() {
    const Quelt::OGL::GLEntryPoints* gl = Quelt::OGL::glEntryPoints();
    return gl != nullptr ? gl->getError() : GL_INVALID_OPERATION;
}

void GLAPIENTRY glClear(GLbitfield mask) {
    const Quelt::OGL::GLEntryPoints* gl = Quelt::OGL::glEntryPoints();
    if (gl != nullptr) gl->clear(mask);
}

void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    const Quelt::OGL::GLEntryPoints* gl = Quelt::OGL::glEntryPoints();
    if (gl != nullptr) gl->clearColor(red, green, blue, alpha);
}

}  // extern "C"
