#include "quelt/src/ogl/GLError.h"

#include <cstdio>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace OGL {

namespace {

std::string errorName(GLenum error) {
    switch (error) {
        case GL_INVALID_ENUM:
            return "GL_INVALID_ENUM";
        case GL_INVALID_VALUE:
            return "GL_INVALID_VALUE";
        case GL_INVALID_OPERATION:
            return "GL_INVALID_OPERATION";
        case GL_STACK_OVERFLOW:
            return "GL_STACK_OVERFLOW";
        case GL_STACK_UNDERFLOW:
            return "GL_STACK_UNDERFLOW";
        case GL_OUT_OF_MEMORY:
            return "GL_OUT_OF_MEMORY";
        case GL_INVALID_FRAMEBUFFER_OPERATION:
            return "GL_INVALID_FRAMEBUFFER_OPERATION";
        default: {
            char code[16];
            std::snprintf(code, sizeof code, "0x%04X", error);
            return std::string("OpenGL error ") + code;
        }
    }
}

}  // namespace

void throwOnGLError(GLenum error, const std::string& action) {
    if (error != GL_NO_ERROR) throw LogicalException((action + ": " + errorName(error)).c_str());
}

void clearGLErrors(const GLEntryPoints& gl) {
    int reads = 0;
    while (reads < maxPendingErrors && gl.getError() != GL_NO_ERROR) ++reads;
}

}  // namespace OGL
}  // namespace Quelt
