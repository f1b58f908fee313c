#pragma once

namespace Quelt {
namespace OGL {

// Capabilities the library can be asked about. The numbers are part of the
// library's interface: callers store and exchange them, so they never change.
enum OpenGLExtension {
    OGL_VERSION_1_2 = 0,
    OGL_VERSION_1_2_1 = 1,
    OGL_VERSION_1_3 = 2,
    OGL_VERSION_1_4 = 3,
    OGL_VERSION_1_5 = 4,
    OGL_VERSION_2_0 = 5,
    OGL_VERSION_2_1 = 6,
    OGL_VERSION_3_0 = 7,
    GL_ARB_FRAGMENT_PROGRAM = 93,
    GL_ARB_FRAGMENT_SHADER = 95,
    GL_ARB_OCCLUSION_QUERY = 118,
    GL_ARB_SHADER_TEXTURE_LOD = 146,
    GL_ARB_TEXTURE_FLOAT = 170,
    GL_ARB_TEXTURE_NON_POWER_OF_TWO = 175,
    GL_ARB_TEXTURE_RECTANGLE = 178,
    GL_ARB_VERTEX_BUFFER_OBJECT = 197,
    GL_ARB_VERTEX_PROGRAM = 198,
    GL_ARB_VERTEX_SHADER = 199,
    GL_EXT_FRAMEBUFFER_OBJECT = 255,
};

}  // namespace OGL
}  // namespace Quelt
