#pragma once

#include <string>

#include "quelt/quelt_ogl/OpenGL.h"

namespace Quelt {
namespace OGL {

// Throws LogicalException naming the action and the error unless error is
// GL_NO_ERROR.
void throwOnGLError(GLenum error, const std::string& action);

}  // namespace OGL
}  // namespace Quelt
