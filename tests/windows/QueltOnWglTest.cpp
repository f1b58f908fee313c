// Quelt on WGL as probing uses it: a context on every display device, whose
// answers agree with its driver's strings and on which the probe's GLSL and
// framebuffer tests pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gpu/FramebufferTest.h"
#include "gpu/GLSLTestProgram.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

std::string GLText(GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); }

TEST(QueltOnWglTest, EveryDisplayDeviceGivesAContextThatPassesTheGPUTests) {
    Quelt::Core::Library::initialize();
    Library::initialize(Library::InitOptions());
    const int count = Context::numDisplayDevice();
    ASSERT_GT(count, 0);
    for (int index = 0; index < count; ++index) {
        DISPLAY_DEVICEA device = {};
        ASSERT_TRUE(Context::displayDevice(index, device));
        SCOPED_TRACE(device.DeviceName);
        ContextOffscreen context(device);
        const ScopedContextWrapper scope;
        context.makeCurrent();

        const ExtensionManager* extensions = ExtensionManager::Instance();
        ASSERT_NE(nullptr, extensions);
        int major = 0;
        int minor = 0;
        ASSERT_EQ(2, std::sscanf(GLText(GL_VERSION).c_str(), "%d.%d", &major, &minor));
        EXPECT_EQ(major >= 3, extensions->isSupported(OGL_VERSION_3_0)) << GLText(GL_VERSION);
        EXPECT_EQ(
            GLText(GL_EXTENSIONS).find("GL_ARB_texture_non_power_of_two ") != std::string::npos,
            extensions->isSupported(GL_ARB_TEXTURE_NON_POWER_OF_TWO));

        EXPECT_NO_THROW(LinkGLSLTestProgram());
        EXPECT_TRUE(ClearTextureThroughFramebuffer());
    }
}

}  // namespace
