// Contexts and their scopes on the machine's OpenGL driver.
#include <gtest/gtest.h>

#include <memory>

#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

// Each context has its own extension manager, so the manager tells which
// context is current.
TEST(DriverTest, ScopesPutBackWhateverWasCurrent) {
    Library::initialize(Library::InitOptions());
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

}  // namespace
