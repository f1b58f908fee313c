#pragma once

#include <functional>

#include "quelt/quelt_ogl/OpenGL.h"

namespace Quelt {
namespace OGL {

// The OpenGL functions the library calls, taken from the driver at run time.
// Which of them a context really offers is decided by its version and
// extensions, not by whether the pointer is null: a dispatching driver library
// hands out an entry for every name it is asked about.
struct GLEntryPoints {
    decltype(&::glGetString) getString;
    decltype(&::glGetIntegerv) getIntegerv;
    decltype(&::glGetError) getError;
    decltype(&::glClear) clear;
    decltype(&::glClearColor) clearColor;
    decltype(&::glGenTextures) genTextures;
    decltype(&::glDeleteTextures) deleteTextures;
    decltype(&::glBindTexture) bindTexture;
    decltype(&::glTexParameteri) texParameteri;
    decltype(&::glTexImage2D) texImage2D;
    PFNGLGETSTRINGIPROC getStringi;
    PFNGLCREATESHADERPROC createShader;
    PFNGLSHADERSOURCEPROC shaderSource;
    PFNGLCOMPILESHADERPROC compileShader;
    PFNGLGETSHADERIVPROC getShaderiv;
    PFNGLGETSHADERINFOLOGPROC getShaderInfoLog;
    PFNGLDELETESHADERPROC deleteShader;
    PFNGLCREATEPROGRAMPROC createProgram;
    PFNGLATTACHSHADERPROC attachShader;
    PFNGLLINKPROGRAMPROC linkProgram;
    PFNGLGETPROGRAMIVPROC getProgramiv;
    PFNGLGETPROGRAMINFOLOGPROC getProgramInfoLog;
    PFNGLDELETEPROGRAMPROC deleteProgram;
    PFNGLGETPROGRAMIVARBPROC getProgramivARB;
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D;
    PFNGLGENFRAMEBUFFERSEXTPROC genFramebuffersEXT;
    PFNGLDELETEFRAMEBUFFERSEXTPROC deleteFramebuffersEXT;
    PFNGLBINDFRAMEBUFFEREXTPROC bindFramebufferEXT;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC framebufferTexture2DEXT;
};

// Fills the table through the platform's lookup. Throws LogicalException when
// one of the OpenGL 1.1 functions is missing, since no context could be used.
GLEntryPoints loadGLEntryPoints(const std::function<void*(const char*)>& lookup);

// The entry points of the initialised driver; null before Library::initialize
// has succeeded.
const GLEntryPoints* glEntryPoints();

// As glEntryPoints(), but throws LogicalException when there are none.
const GLEntryPoints& requireGLEntryPoints();

}  // namespace OGL
}  // namespace Quelt
