// Contexts, scopes, programs, textures and framebuffers on the machine's
// OpenGL driver.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Refusal.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Framebuffer.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/Program.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"

namespace {

using namespace Quelt::OGL;

// Compiles, but the function it calls is defined nowhere.
const char* const kUnresolved[] = {"void helper(void);",
                                   "void main(void){helper();gl_Position = vec4(0.0);}"};

class DriverTest : public testing::Test {
protected:
    static void SetUpTestSuite() { Library::initialize(Library::InitOptions()); }
};

// Each context has its own extension manager, so the manager tells which
// context is current.
TEST_F(DriverTest, ScopesPutBackWhateverWasCurrent) {
    ContextOffscreen first(Context::PrimaryDisplayDevice());
    auto second = std::make_unique<ContextOffscreen>(Context::PrimaryDisplayDevice());
    {
        const ScopedContextWrapper outer;
        first.makeCurrent();
        const ExtensionManager* firstManager = ExtensionManager::Instance();
        ASSERT_NE(nullptr, firstManager);
        {
            const ScopedContextWrapper inner;
            second->makeCurrent();
            EXPECT_NE(firstManager, ExtensionManager::Instance());
        }
        EXPECT_EQ(firstManager, ExtensionManager::Instance());
        {
            const ScopedContextWrapper inner;
            second->makeCurrent();
            // Destroying the current context leaves none current.
            second.reset();
            EXPECT_EQ(nullptr, ExtensionManager::Instance());
        }
        EXPECT_EQ(firstManager, ExtensionManager::Instance());
    }
    EXPECT_EQ(nullptr, ExtensionManager::Instance());
}

TEST_F(DriverTest, RefusalsCarryTheDriversWordsAndErrorsLeftPendingAreNotCharged) {
    ContextOffscreen context(Context::PrimaryDisplayDevice());
    const ScopedContextWrapper scope;
    context.makeCurrent();
    const std::pair<std::function<void()>, std::vector<std::string>> refusals[] = {
        {[] {
             const char* const broken[] = {"void main(void){", "gl_Position = undefinedThing;",
                                           "}"};
             Program().loadVertexShader(3, broken, nullptr);
         },
         {"vertex shader does not compile", "undefinedThing"}},
        {[] {
             Program program;
             program.loadVertexShader(2, kUnresolved, nullptr);
             program.link(true);
         },
         {"does not link", "helper"}},
        {[] { Texture2D texture(35, 32, 32, false, nullptr); }, {"35"}},
        {[] { Texture2D texture(Texture2D::RGBA8, -1, 32, false, nullptr); }, {"GL_INVALID_VALUE"}},
        // Attached while the default framebuffer is bound.
        {[] { Framebuffer().attach(Texture2D(Texture2D::RGBA8, 32, 32, false, nullptr), 0, 0); },
         {""}},
    };
    for (const auto& refusal : refusals) {
        const std::string message = Refusal(refusal.first);
        EXPECT_NE("(nothing refused)", message) << refusal.second[0];
        for (const std::string& part : refusal.second) {
            EXPECT_PRED_FORMAT2(testing::IsSubstring, part, message);
        }
    }
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());

    const auto leaveError = [] {
        GLint values[16];
        glGetIntegerv(0, values);
    };
    const std::vector<unsigned char> pixels(16 * 16 * 4, 0x80);
    leaveError();
    const Texture2D texture(Texture2D::RGBA8, 16, 16, true, pixels.data());
    leaveError();
    Framebuffer framebuffer;
    leaveError();
    framebuffer.bind();
    leaveError();
    framebuffer.attach(texture, 0, 0);
    leaveError();
    EXPECT_NO_THROW(framebuffer.unbind());
}

}  // namespace
