#pragma once

#include <string>

#include "quelt/src/ogl/GLEntryPoints.h"

namespace Quelt {
namespace OGL {

// Throws LogicalException naming the action and the error unless error is
// GL_NO_ERROR.
void throwOnGLError(GLenum error, const std::string& action);

// OpenGL keeps one flag per kind of error, so a few reads clear whatever
// earlier calls left pending; a broken glGetError may never answer
// GL_NO_ERROR, so the reads stop after this many and the next check fails.
const int maxPendingErrors = 16;

// Reads and drops the errors earlier calls left pending, so that the next
// error read is charged only to the calls made after this.
void clearGLErrors(const GLEntryPoints& gl);

}  // namespace OGL
}  // namespace Quelt
