#pragma once

#include "quelt/src/ogl/GLEntryPoints.h"

namespace Quelt {
namespace OGL {

// Room the library gives the driver for the answer of a query that should
// write one value. The largest OpenGL query answers 16 values (a matrix); a
// broken driver may write more than was asked for, and up to four times that
// stays inside the buffer.
const int maxQueryValues = 64;

// The first value glGetIntegerv writes for name.
GLint getInteger(const GLEntryPoints& gl, GLenum name);

// The first value a shader or program parameter query (glGetShaderiv,
// glGetProgramiv) writes for name.
GLint getObjectParameter(PFNGLGETSHADERIVPROC get, GLuint object, GLenum name);

}  // namespace OGL
}  // namespace Quelt
