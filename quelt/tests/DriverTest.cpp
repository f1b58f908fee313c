// Contexts and their scopes, and textures, on the machine's OpenGL driver.
#include <gtest/gtest.h>

#include <memory>

#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"
#include "quelt/src/ogl/GLQuery.h"

namespace {

using namespace Quelt::OGL;

// Each context has its own extension manager, so the manager tells which
// context is current. A texture made binds itself only for a while.
TEST(DriverTest, ScopesAndTexturesPutBackWhatTheCallerHad) {
    Library::initialize(Library::InitOptions());
    ContextOffscreen first(Context::PrimaryDisplayDevice());
    auto second = std::make_unique<ContextOffscreen>(Context::PrimaryDisplayDevice());
    {
        const ScopedContextWrapper outer;
        first.makeCurrent();
        const ExtensionManager* firstManager = ExtensionManager::Instance();
        ASSERT_NE(nullptr, firstManager);
        const Texture2D callers(Texture2D::RGBA8, 1, 1, false, nullptr);
        const GLEntryPoints& gl = requireGLEntryPoints();
        gl.bindTexture(GL_TEXTURE_2D, callers.name());
        const Texture2D ours(Texture2D::RGBA8, 1, 1, true, nullptr);
        EXPECT_EQ(static_cast<GLint>(callers.name()), getInteger(gl, GL_TEXTURE_BINDING_2D));
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

}  // namespace
