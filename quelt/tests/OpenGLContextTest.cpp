// Contexts, display devices, extension answers and scoped contexts against the
// machine's OpenGL driver.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

std::string glText(GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); }

class OpenGLContextTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Quelt::Core::Library::initialize();
        Library::initialize(Library::InitOptions());
    }
};

TEST_F(OpenGLContextTest, EveryDisplayDeviceGivesACompatibilityProfileContext) {
    const int count = Context::numDisplayDevice();
    ASSERT_GT(count, 0);
    std::set<std::string> names;
    int primaries = 0;
    for (int index = 0; index < count; ++index) {
        DISPLAY_DEVICEA device{};
        ASSERT_TRUE(Context::displayDevice(index, device));
        SCOPED_TRACE(device.DeviceName);
        EXPECT_EQ(sizeof device, device.cb);
        EXPECT_TRUE(names.insert(device.DeviceName).second) << "display device names repeat";
        EXPECT_STRNE("", device.DeviceString);
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
            ++primaries;
            EXPECT_STREQ(device.DeviceName, Context::PrimaryDisplayDevice().DeviceName);
        }

        const ScopedContextWrapper scope;
        ContextOffscreen context(device);
        context.makeCurrent();
        EXPECT_NE("", glText(GL_RENDERER));
        GLint profile = 0;
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
        EXPECT_TRUE(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT) << glText(GL_VERSION);
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }
    EXPECT_EQ(1, primaries);
}

TEST_F(OpenGLContextTest, AnUnknownDisplayDeviceIsRefused) {
    DISPLAY_DEVICEA device = Context::PrimaryDisplayDevice();
    std::strcpy(device.DeviceName, "NoSuchDevice");
    try {
        ContextOffscreen context(device);
        FAIL() << "made a context on a device that does not exist";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "NoSuchDevice", error.message());
    }
}

TEST_F(OpenGLContextTest, ExtensionAnswersAgreeWithTheDriversOwnStrings) {
    ContextOffscreen context(Context::PrimaryDisplayDevice());
    const ScopedContextWrapper scope;
    context.makeCurrent();
    const ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(nullptr, manager);

    std::pair<int, int> version;
    ASSERT_EQ(2, std::sscanf(glText(GL_VERSION).c_str(), "%d.%d", &version.first, &version.second));
    const std::pair<OpenGLExtension, std::pair<int, int>> versions[] = {
        {OGL_VERSION_1_2, {1, 2}}, {OGL_VERSION_1_3, {1, 3}}, {OGL_VERSION_1_4, {1, 4}},
        {OGL_VERSION_1_5, {1, 5}}, {OGL_VERSION_2_0, {2, 0}}, {OGL_VERSION_2_1, {2, 1}},
        {OGL_VERSION_3_0, {3, 0}},
    };
    for (const auto& expected : versions) {
        EXPECT_EQ(version >= expected.second, manager->isSupported(expected.first))
            << "enumerator " << expected.first << " with " << glText(GL_VERSION);
    }

    std::istringstream list(glText(GL_EXTENSIONS));
    const std::set<std::string> advertised{std::istream_iterator<std::string>(list),
                                           std::istream_iterator<std::string>()};
    const std::pair<OpenGLExtension, const char*> extensions[] = {
        {GL_ARB_FRAGMENT_PROGRAM, "GL_ARB_fragment_program"},
        {GL_ARB_FRAGMENT_SHADER, "GL_ARB_fragment_shader"},
        {GL_ARB_OCCLUSION_QUERY, "GL_ARB_occlusion_query"},
        {GL_ARB_SHADER_TEXTURE_LOD, "GL_ARB_shader_texture_lod"},
        {GL_ARB_TEXTURE_FLOAT, "GL_ARB_texture_float"},
        {GL_ARB_TEXTURE_NON_POWER_OF_TWO, "GL_ARB_texture_non_power_of_two"},
        {GL_ARB_TEXTURE_RECTANGLE, "GL_ARB_texture_rectangle"},
        {GL_ARB_VERTEX_BUFFER_OBJECT, "GL_ARB_vertex_buffer_object"},
        {GL_ARB_VERTEX_PROGRAM, "GL_ARB_vertex_program"},
        {GL_ARB_VERTEX_SHADER, "GL_ARB_vertex_shader"},
        {GL_EXT_FRAMEBUFFER_OBJECT, "GL_EXT_framebuffer_object"},
    };
    for (const auto& expected : extensions) {
        EXPECT_EQ(advertised.count(expected.second) == 1, manager->isSupported(expected.first))
            << expected.second;
    }
    EXPECT_FALSE(manager->isSupported(static_cast<OpenGLExtension>(1000)));
}

TEST_F(OpenGLContextTest, TheTableReachesTheDriver) {
    ContextOffscreen context(Context::PrimaryDisplayDevice());
    const ScopedContextWrapper scope;
    context.makeCurrent();
    const ExtensionManager* manager = ExtensionManager::Instance();
    ASSERT_NE(nullptr, manager);
    if (!manager->isSupported(GL_ARB_VERTEX_PROGRAM)) GTEST_SKIP() << "no GL_ARB_vertex_program";
    GLint instructions = 0;
    manager->table().glGetProgramivARB(GL_VERTEX_PROGRAM_ARB, GL_MAX_PROGRAM_INSTRUCTIONS_ARB,
                                       &instructions);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    EXPECT_GT(instructions, 0);
}

// Each context has its own manager, so the manager tells which context is current.
TEST_F(OpenGLContextTest, NestedScopesPutBackWhateverWasCurrent) {
    const DISPLAY_DEVICEA device = Context::PrimaryDisplayDevice();
    ContextOffscreen first(device);
    ContextOffscreen second(device);
    ASSERT_EQ(nullptr, ExtensionManager::Instance());
    {
        const ScopedContextWrapper outer;
        first.makeCurrent();
        const ExtensionManager* firstManager = ExtensionManager::Instance();
        ASSERT_NE(nullptr, firstManager);
        EXPECT_EQ(firstManager, ExtensionManager::Instance());
        {
            const ScopedContextWrapper middle;
            second.makeCurrent();
            const ExtensionManager* secondManager = ExtensionManager::Instance();
            EXPECT_NE(firstManager, secondManager);
            {
                const ScopedContextWrapper inner;
                first.makeCurrent();
                EXPECT_EQ(firstManager, ExtensionManager::Instance());
            }
            EXPECT_EQ(secondManager, ExtensionManager::Instance());
        }
        EXPECT_EQ(firstManager, ExtensionManager::Instance());
    }
    EXPECT_EQ(nullptr, ExtensionManager::Instance());
}

TEST_F(OpenGLContextTest, DestroyingTheCurrentContextLeavesNoneCurrent) {
    const ScopedContextWrapper scope;
    auto context = std::make_unique<ContextOffscreen>(Context::PrimaryDisplayDevice());
    context->makeCurrent();
    ASSERT_NE(nullptr, ExtensionManager::Instance());
    context.reset();
    EXPECT_EQ(nullptr, ExtensionManager::Instance());
    // Without a context the library answers an empty text and WGL's own
    // function a null one.
    const GLubyte* version = glGetString(GL_VERSION);
    EXPECT_TRUE(version == nullptr || *version == '\0') << version;
}

}  // namespace
