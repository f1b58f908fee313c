#include "quelt/src/ogl/GLEntryPoints.h"

#include <string>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace OGL {

namespace {

template <typename Function>
void load(const std::function<void*(const char*)>& lookup, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(lookup(name));
}

template <typename Function>
void loadRequired(const std::function<void*(const char*)>& lookup, Function& entry,
                  const char* name) {
    load(lookup, entry, name);
    if (entry == nullptr) {
        throw LogicalException((std::string("the OpenGL driver does not export ") + name).c_str());
    }
}

}  // namespace

GLEntryPoints loadGLEntryPoints(const std::function<void*(const char*)>& lookup) {
    GLEntryPoints gl{};
    loadRequired(lookup, gl.getString, "glGetString");
    loadRequired(lookup, gl.getIntegerv, "glGetIntegerv");
    loadRequired(lookup, gl.getError, "glGetError");
    loadRequired(lookup, gl.clear, "glClear");
    loadRequired(lookup, gl.clearColor, "glClearColor");
    loadRequired(lookup, gl.genTextures, "glGenTextures");
    loadRequired(lookup, gl.deleteTextures, "glDeleteTextures");
    loadRequired(lookup, gl.bindTexture, "glBindTexture");
    loadRequired(lookup, gl.texParameteri, "glTexParameteri");
    loadRequired(lookup, gl.texImage2D, "glTexImage2D");
    load(lookup, gl.getStringi, "glGetStringi");
    load(lookup, gl.createShader, "glCreateShader");
    load(lookup, gl.shaderSource, "glShaderSource");
    load(lookup, gl.compileShader, "glCompileShader");
    load(lookup, gl.getShaderiv, "glGetShaderiv");
    load(lookup, gl.getShaderInfoLog, "glGetShaderInfoLog");
    load(lookup, gl.deleteShader, "glDeleteShader");
    load(lookup, gl.createProgram, "glCreateProgram");
    load(lookup, gl.attachShader, "glAttachShader");
    load(lookup, gl.linkProgram, "glLinkProgram");
    load(lookup, gl.getProgramiv, "glGetProgramiv");
    load(lookup, gl.getProgramInfoLog, "glGetProgramInfoLog");
    load(lookup, gl.deleteProgram, "glDeleteProgram");
    load(lookup, gl.getProgramivARB, "glGetProgramivARB");
    load(lookup, gl.genFramebuffers, "glGenFramebuffers");
    load(lookup, gl.deleteFramebuffers, "glDeleteFramebuffers");
    load(lookup, gl.bindFramebuffer, "glBindFramebuffer");
    load(lookup, gl.framebufferTexture2D, "glFramebufferTexture2D");
    load(lookup, gl.genFramebuffersEXT, "glGenFramebuffersEXT");
    load(lookup, gl.deleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    load(lookup, gl.bindFramebufferEXT, "glBindFramebufferEXT");
    load(lookup, gl.framebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    return gl;
}

const GLEntryPoints& requireGLEntryPoints() {
    const GLEntryPoints* gl = glEntryPoints();
    if (gl == nullptr) {
        throw LogicalException("OpenGL is not initialised: call Quelt::OGL::Library::initialize");
    }
    return *gl;
}

}  // namespace OGL
}  // namespace Quelt
