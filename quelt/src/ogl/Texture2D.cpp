#include "quelt/quelt_ogl/Texture2D.h"

#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/GLError.h"
#include "quelt/src/ogl/GLQuery.h"

namespace Quelt {
namespace OGL {

struct Texture2D::State {
    const GLEntryPoints* gl = nullptr;
    GLuint name = 0;

    ~State() {
        if (name != 0) gl->deleteTextures(1, &name);
    }
};

Texture2D::Texture2D(int format, int width, int height, bool mipmapped, const void* data)
    : state(std::make_unique<State>()) {
    if (format != RGBA8) {
        throw LogicalException(
            ("Texture2D: unknown internal format " + std::to_string(format)).c_str());
    }
    const GLEntryPoints& gl = requireGLEntryPoints();
    state->gl = &gl;
    gl.genTextures(1, &state->name);
    if (state->name == 0) throw LogicalException("cannot create a texture: is a context current?");

    clearGLErrors(gl);
    // The caller's binding is put back, whatever happens to ours.
    const GLint previous = getInteger(gl, GL_TEXTURE_BINDING_2D);
    gl.bindTexture(GL_TEXTURE_2D, state->name);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                     mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    // Set before the image is given, so the driver derives the chain from it.
    if (mipmapped) gl.texParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, data);
    const GLenum error = gl.getError();
    gl.bindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    throwOnGLError(error, "cannot create a " + std::to_string(width) + "x" +
                              std::to_string(height) + " texture");
}

Texture2D::~Texture2D() = default;

unsigned Texture2D::name() const { return state->name; }

}  // namespace OGL
}  // namespace Quelt
