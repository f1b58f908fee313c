#include "quelt/src/ogl/GLEntryPoints.h"

#include "quelt/src/core/EntryPoints.h"
#include "quelt/src/ogl/LoadedPlatform.h"

namespace Quelt {
namespace OGL {

GLEntryPoints loadGLEntryPoints(const std::function<void*(const char*)>& lookup) {
    const auto loadRequired = [&lookup](auto& entry, const char* name) {
        Core::loadRequiredEntry(lookup, entry, name, "the OpenGL driver does not export ");
    };
    const auto load = [&lookup](auto& entry, const char* name) {
        Core::loadEntry(lookup, entry, name);
    };
    GLEntryPoints gl{};
    loadRequired(gl.getString, "glGetString");
    loadRequired(gl.getIntegerv, "glGetIntegerv");
    loadRequired(gl.getError, "glGetError");
    loadRequired(gl.clear, "glClear");
    loadRequired(gl.clearColor, "glClearColor");
    loadRequired(gl.genTextures, "glGenTextures");
    loadRequired(gl.deleteTextures, "glDeleteTextures");
    loadRequired(gl.bindTexture, "glBindTexture");
    loadRequired(gl.texParameteri, "glTexParameteri");
    loadRequired(gl.texImage2D, "glTexImage2D");
    load(gl.getStringi, "glGetStringi");
    load(gl.createShader, "glCreateShader");
    load(gl.shaderSource, "glShaderSource");
    load(gl.compileShader, "glCompileShader");
    load(gl.getShaderiv, "glGetShaderiv");
    load(gl.getShaderInfoLog, "glGetShaderInfoLog");
    load(gl.deleteShader, "glDeleteShader");
    load(gl.createProgram, "glCreateProgram");
    load(gl.attachShader, "glAttachShader");
    load(gl.linkProgram, "glLinkProgram");
    load(gl.getProgramiv, "glGetProgramiv");
    load(gl.getProgramInfoLog, "glGetProgramInfoLog");
    load(gl.deleteProgram, "glDeleteProgram");
    load(gl.getProgramivARB, "glGetProgramivARB");
    load(gl.genFramebuffers, "glGenFramebuffers");
    load(gl.deleteFramebuffers, "glDeleteFramebuffers");
    load(gl.bindFramebuffer, "glBindFramebuffer");
    load(gl.framebufferTexture2D, "glFramebufferTexture2D");
    load(gl.genFramebuffersEXT, "glGenFramebuffersEXT");
    load(gl.deleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    load(gl.bindFramebufferEXT, "glBindFramebufferEXT");
    load(gl.framebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    return gl;
}

const GLEntryPoints* glEntryPoints() {
    const LoadedPlatform* platform = loadedPlatform();
    return platform != nullptr ? &platform->gl : nullptr;
}

const GLEntryPoints& requireGLEntryPoints() { return requirePlatform().gl; }

}  // namespace OGL
}  // namespace Quelt
