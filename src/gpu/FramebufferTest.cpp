#include "gpu/FramebufferTest.h"

#include "quelt/quelt_ogl/Framebuffer.h"
#include "quelt/quelt_ogl/OpenGL.h"
#include "quelt/quelt_ogl/Texture2D.h"

bool ClearTextureThroughFramebuffer() {
    Quelt::OGL::Texture2D texture(Quelt::OGL::Texture2D::RGBA8, 32, 32, false, nullptr);
    Quelt::OGL::Framebuffer framebuffer;
    framebuffer.bind();
    framebuffer.attach(texture, 0, 0);
    // OpenGL clamps the components, so this clears to opaque white.
    glClearColor(255.0f, 255.0f, 255.0f, 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Read before unbind, which drops what is pending before its own call:
    // an incomplete framebuffer shows as an error of the clear.
    const bool cleared = glGetError() == GL_NO_ERROR;
    framebuffer.unbind();
    return cleared && glGetError() == GL_NO_ERROR;
}
