// Shaders, textures and framebuffers on a context of the machine's OpenGL driver.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/Framebuffer.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/OpenGL.h"
#include "quelt/quelt_ogl/Program.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"

namespace {

using namespace Quelt::OGL;

// A compatibility-profile program (built-in texture coordinates, ftransform,
// projective texturing) handed over in pieces that are joined as they stand,
// without line breaks, the way the library's users pass their sources.
const char* const layerVertexPieces[] = {
    "void V_Texture(void){gl_TexCoord[0] = gl_MultiTexCoord0;}",
    "void V_Blend(void){gl_TexCoord[1] = gl_MultiTexCoord1;}",
    "void main(void)",
    "{",
    "V_Texture();",
    "V_Blend();",
    "gl_Position = ftransform();",
    "}",
};

const char* const layerFragmentPieces[] = {
    "uniform sampler2D layer_texture;",
    "uniform sampler2D background_texture;",
    "uniform float weight[9]; ",
    "void main(void)",
    "{",
    "vec4 color = vec4(0.0);",
    "for (int i = 0; i < 9; i++)",
    "color += weight[i] * texture2D(layer_texture, gl_TexCoord[0].st);",
    "vec4 bg = texture2DProj(background_texture, gl_TexCoord[1]);",
    "color.rgb = color.rgb + (1.0 - color.a) * bg.rgb;",
    "gl_FragColor = color;",
    "}",
};

std::string messageOf(const Quelt::LogicalException& error) {
    return error.message() != nullptr ? error.message() : "";
}

class OpenGLDrawingTest : public testing::Test {
protected:
    static void SetUpTestSuite() { Library::initialize(Library::InitOptions()); }

    void SetUp() override {
        context = std::make_unique<ContextOffscreen>(Context::PrimaryDisplayDevice());
        scope = std::make_unique<ScopedContextWrapper>();
        context->makeCurrent();
    }

    void TearDown() override {
        scope.reset();
        context.reset();
    }

    std::unique_ptr<ContextOffscreen> context;
    std::unique_ptr<ScopedContextWrapper> scope;
};

TEST_F(OpenGLDrawingTest, TheLayerProgramCompilesAndLinks) {
    Program program;
    program.loadVertexShader(static_cast<int>(std::size(layerVertexPieces)), layerVertexPieces,
                             nullptr);
    program.loadFragmentShader(static_cast<int>(std::size(layerFragmentPieces)),
                               layerFragmentPieces, nullptr);
    EXPECT_NO_THROW(program.link(true));
}

TEST_F(OpenGLDrawingTest, CompileAndLinkFailuresCarryTheDriversLog) {
    const char* const broken[] = {"void main(void){", "gl_Position = undefinedThing;", "}"};
    Program program;
    try {
        program.loadVertexShader(3, broken, nullptr);
        FAIL() << "a shader with an undefined variable compiled";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "vertex shader does not compile",
                            messageOf(error));
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "undefinedThing", messageOf(error));
    }

    // Compiles, but the function it calls is defined nowhere.
    const char* const unresolved[] = {"void helper(void);",
                                      "void main(void){helper();gl_Position = vec4(0.0);}"};
    Program unlinked;
    unlinked.loadVertexShader(2, unresolved, nullptr);
    EXPECT_NO_THROW(unlinked.link(false));
    try {
        unlinked.link(true);
        FAIL() << "a call to an undefined function linked";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "does not link", messageOf(error));
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "helper", messageOf(error));
    }
}

TEST_F(OpenGLDrawingTest, ClearingATextureThroughAFramebufferLeavesNoError) {
    const Texture2D texture(Texture2D::RGBA8, 32, 32, false, nullptr);
    Framebuffer framebuffer;
    framebuffer.bind();
    framebuffer.attach(texture, 0, 0);
    glClearColor(255.0f, 255.0f, 255.0f, 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    framebuffer.unbind();
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

// An error an earlier call left pending is not charged to the next call.
TEST_F(OpenGLDrawingTest, ErrorsLeftPendingAreNotChargedToTexturesAndFramebuffers) {
    const auto leaveError = [] {
        GLint values[16];
        glGetIntegerv(0, values);
    };
    leaveError();
    const Texture2D texture(Texture2D::RGBA8, 32, 32, false, nullptr);
    leaveError();
    Framebuffer framebuffer;
    leaveError();
    framebuffer.bind();
    leaveError();
    framebuffer.attach(texture, 0, 0);
    leaveError();
    EXPECT_NO_THROW(framebuffer.unbind());
}

TEST_F(OpenGLDrawingTest, TexturesTakeDataAndMipmapsAndRefuseWhatTheyCannotBe) {
    const std::vector<unsigned char> pixels(16 * 16 * 4, 0x80);
    EXPECT_NO_THROW(Texture2D(Texture2D::RGBA8, 16, 16, true, pixels.data()));

    try {
        Texture2D texture(35, 32, 32, false, nullptr);
        FAIL() << "made a texture of an unknown format";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "35", messageOf(error));
    }
    try {
        Texture2D texture(Texture2D::RGBA8, -1, 32, false, nullptr);
        FAIL() << "made a texture of negative width";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "GL_INVALID_VALUE", messageOf(error));
    }
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(OpenGLDrawingTest, AttachingToTheDefaultFramebufferIsRefused) {
    const Texture2D texture(Texture2D::RGBA8, 32, 32, false, nullptr);
    Framebuffer framebuffer;
    EXPECT_THROW(framebuffer.attach(texture, 0, 0), Quelt::LogicalException);
}

}  // namespace
