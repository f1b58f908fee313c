#include "quelt/src/ogl/GLQuery.h"

namespace Quelt {
namespace OGL {

GLint getInteger(const GLEntryPoints& gl, GLenum name) {
    GLint values[maxQueryValues] = {};
    gl.getIntegerv(name, values);
    return values[0];
}

GLint getObjectParameter(PFNGLGETSHADERIVPROC get, GLuint object, GLenum name) {
    GLint values[maxQueryValues] = {};
    get(object, name, values);
    return values[0];
}

}  // namespace OGL
}  // namespace Quelt
