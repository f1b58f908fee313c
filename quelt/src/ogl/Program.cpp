#include "quelt/quelt_ogl/Program.h"

#include <algorithm>
#include <string>
#include <vector>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/GLQuery.h"

namespace Quelt {
namespace OGL {

namespace {

// A log only ends up in an error message: a longer one, or a broken length
// (which would allocate gigabytes), is cut to this many bytes.
const GLint maxInfoLogBytes = 65536;

bool hasGLSL(const GLEntryPoints& gl) {
    return gl.createShader != nullptr && gl.shaderSource != nullptr &&
           gl.compileShader != nullptr && gl.getShaderiv != nullptr &&
           gl.getShaderInfoLog != nullptr && gl.deleteShader != nullptr &&
           gl.createProgram != nullptr && gl.attachShader != nullptr && gl.linkProgram != nullptr &&
           gl.getProgramiv != nullptr && gl.getProgramInfoLog != nullptr &&
           gl.deleteProgram != nullptr;
}

// Shaders and programs report their logs through functions of the same shape.
std::string infoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter,
                    PFNGLGETSHADERINFOLOGPROC getLog) {
    const GLint length = getObjectParameter(getParameter, object, GL_INFO_LOG_LENGTH);
    if (length <= 0) return "(the driver gave no log)";
    const GLsizei room = std::min(length, maxInfoLogBytes);
    // One byte more than the driver may write, so the text always ends in a NUL.
    std::vector<GLchar> log(static_cast<size_t>(room) + 1, '\0');
    // The length may be left null, but some drivers write it anyway.
    GLsizei written = 0;
    getLog(object, room, &written, log.data());
    std::string text(log.data());
    // Drivers end their logs with a line break, which would end the message early.
    text.erase(text.find_last_not_of(" \n\r\t") + 1);
    return text;
}

}  // namespace

struct Program::State {
    const GLEntryPoints* gl = nullptr;
    GLuint program = 0;

    ~State() {
        if (program != 0) gl->deleteProgram(program);
    }

    void loadShader(GLenum type, const char* kind, int count, const char* const* strings,
                    const int* lengths) {
        if (count < 0 || (count > 0 && strings == nullptr)) {
            throw LogicalException((std::string(kind) + " shader source is missing").c_str());
        }
        for (int piece = 0; piece < count; ++piece) {
            if (strings[piece] == nullptr) {
                throw LogicalException(
                    (std::string(kind) + " shader source has a null piece").c_str());
            }
        }
        const GLuint shader = gl->createShader(type);
        if (shader == 0) {
            throw LogicalException(
                (std::string("cannot create a ") + kind + " shader: is a context current?")
                    .c_str());
        }
        gl->shaderSource(shader, count, strings, lengths);
        gl->compileShader(shader);
        if (getObjectParameter(gl->getShaderiv, shader, GL_COMPILE_STATUS) != GL_TRUE) {
            const std::string log = infoLog(shader, gl->getShaderiv, gl->getShaderInfoLog);
            gl->deleteShader(shader);
            throw LogicalException(
                (std::string(kind) + " shader does not compile: " + log).c_str());
        }
        gl->attachShader(program, shader);
        // Only flagged for deletion: the program keeps it while it is attached.
        gl->deleteShader(shader);
    }
};

Program::Program() : state(std::make_unique<State>()) {
    const GLEntryPoints& gl = requireGLEntryPoints();
    if (!hasGLSL(gl)) throw LogicalException("the OpenGL driver has no GLSL programs");
    state->gl = &gl;
    state->program = gl.createProgram();
    if (state->program == 0) {
        throw LogicalException("cannot create a GLSL program: is a context current?");
    }
}

Program::~Program() = default;

void Program::loadVertexShader(int count, const char* const* strings, const int* lengths) {
    state->loadShader(GL_VERTEX_SHADER, "vertex", count, strings, lengths);
}

void Program::loadFragmentShader(int count, const char* const* strings, const int* lengths) {
    state->loadShader(GL_FRAGMENT_SHADER, "fragment", count, strings, lengths);
}

void Program::link(bool check) {
    const GLEntryPoints& gl = *state->gl;
    gl.linkProgram(state->program);
    if (!check) return;
    if (getObjectParameter(gl.getProgramiv, state->program, GL_LINK_STATUS) != GL_TRUE) {
        const std::string log = infoLog(state->program, gl.getProgramiv, gl.getProgramInfoLog);
        throw LogicalException(("GLSL program does not link: " + log).c_str());
    }
}

}  // namespace OGL
}  // namespace Quelt
