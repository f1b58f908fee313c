// Quelt on WGL as probing uses it: a context on every display device, whose
// answers agree with its driver's strings and on which the probe's GLSL and
// framebuffer tests pass.
#include <gtest/gtest.h>

#include <string>

#include "gpu/FramebufferTest.h"
#include "gpu/GLSLTestProgram.h"
#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/src/ogl/windows/DisplayDevices.h"

namespace {

using namespace Quelt::OGL;

TEST(QueltOnWgl, EveryDisplayDeviceGivesAContextThatPassesTheGPUTests) {
    Quelt::Core::Library::initialize();
    Library::initialize(Library::InitOptions());
    ASSERT_GT(Context::numDisplayDevice(), 0);
    for (int index = 0; index < Context::numDisplayDevice(); ++index) {
        DISPLAY_DEVICEA device = {};
        ASSERT_TRUE(Context::displayDevice(index, device));
        ContextOffscreen context(device);
        const ScopedContextWrapper scope;
        context.makeCurrent();
        const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        EXPECT_EQ(version >= "3", ExtensionManager::Instance()->isSupported(OGL_VERSION_3_0));
        EXPECT_EQ(extensions.find("GL_ARB_texture_non_power_of_two ") != std::string::npos,
                  ExtensionManager::Instance()->isSupported(GL_ARB_TEXTURE_NON_POWER_OF_TWO));
        EXPECT_NO_THROW(LinkGLSLTestProgram()) << device.DeviceName;
        EXPECT_TRUE(ClearTextureThroughFramebuffer()) << device.DeviceName;
    }
}

// A system that answers this many devices and then no more; every second one
// shows part of the desktop.
DWORD answered = 0;

BOOL WINAPI AnswerDevices(LPCSTR, DWORD index, PDISPLAY_DEVICEA device, DWORD) {
    if (index >= answered) return FALSE;
    device->StateFlags = index % 2 == 0 ? DISPLAY_DEVICE_ATTACHED_TO_DESKTOP : 0;
    return TRUE;
}

TEST(QueltOnWgl, DisplayDeviceEnumerationEndsAtItsBound) {
    answered = maxDisplayDevices;
    EXPECT_EQ(maxDisplayDevices / 2, enumerateDisplayDevices(AnswerDevices).size());
    answered = maxDisplayDevices + 1;
    try {
        enumerateDisplayDevices(AnswerDevices);
        ADD_FAILURE() << "a system answering without end was read whole";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_STREQ("EnumDisplayDevicesA answered more than 1024 devices", error.what());
    }
}

}  // namespace
