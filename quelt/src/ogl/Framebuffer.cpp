#include "quelt/quelt_ogl/Framebuffer.h"

#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Texture2D.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/GLError.h"

namespace Quelt {
namespace OGL {

namespace {

// OpenGL 3.0 made framebuffer objects core; older drivers offer the same
// functions, with the same enumerants, as GL_EXT_framebuffer_object.
struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC generate;
    PFNGLDELETEFRAMEBUFFERSPROC destroy;
    PFNGLBINDFRAMEBUFFERPROC bind;
    PFNGLFRAMEBUFFERTEXTURE2DPROC attachTexture;
};

FramebufferFunctions framebufferFunctions(const GLEntryPoints& gl) {
    const ExtensionManager* manager = ExtensionManager::Instance();
    if (manager == nullptr) throw LogicalException("Framebuffer: no OpenGL context is current");
    FramebufferFunctions functions{};
    if (manager->isSupported(OGL_VERSION_3_0)) {
        functions = {gl.genFramebuffers, gl.deleteFramebuffers, gl.bindFramebuffer,
                     gl.framebufferTexture2D};
    } else if (manager->isSupported(GL_EXT_FRAMEBUFFER_OBJECT)) {
        functions = {gl.genFramebuffersEXT, gl.deleteFramebuffersEXT, gl.bindFramebufferEXT,
                     gl.framebufferTexture2DEXT};
    }
    if (functions.generate == nullptr || functions.destroy == nullptr ||
        functions.bind == nullptr || functions.attachTexture == nullptr) {
        throw LogicalException("Framebuffer: the current context has no framebuffer objects");
    }
    return functions;
}

}  // namespace

struct Framebuffer::State {
    const GLEntryPoints* gl = nullptr;
    FramebufferFunctions functions{};
    GLuint name = 0;

    ~State() {
        if (name != 0) functions.destroy(1, &name);
    }
};

Framebuffer::Framebuffer() : state(std::make_unique<State>()) {
    const GLEntryPoints& gl = requireGLEntryPoints();
    state->gl = &gl;
    state->functions = framebufferFunctions(gl);
    clearGLErrors(gl);
    state->functions.generate(1, &state->name);
    throwOnGLError(gl.getError(), "cannot create a framebuffer");
}

Framebuffer::~Framebuffer() = default;

void Framebuffer::bind() {
    clearGLErrors(*state->gl);
    state->functions.bind(GL_FRAMEBUFFER, state->name);
    throwOnGLError(state->gl->getError(), "cannot bind the framebuffer");
}

void Framebuffer::attach(const Texture2D& texture, unsigned attachment, unsigned level) {
    clearGLErrors(*state->gl);
    state->functions.attachTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + attachment, GL_TEXTURE_2D,
                                   texture.name(), static_cast<GLint>(level));
    throwOnGLError(
        state->gl->getError(),
        "cannot attach texture " + std::to_string(texture.name()) + " to the framebuffer");
}

void Framebuffer::unbind() {
    clearGLErrors(*state->gl);
    state->functions.bind(GL_FRAMEBUFFER, 0);
    throwOnGLError(state->gl->getError(), "cannot unbind the framebuffer");
}

}  // namespace OGL
}  // namespace Quelt
