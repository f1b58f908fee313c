// Where no OpenGL or OpenCL library exists, or the library is no driver, the
// library says so and every entry point stays safe. Nothing in this
// executable loads a real driver.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "Refusal.h"
#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/Program.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"

namespace {

using namespace Quelt;

// The build names them for the platform.
const char* const missingLibrary = QUELT_TEST_MISSING_LIBRARY;
const char* const notADriver = QUELT_TEST_NOT_A_DRIVER;

void InitializeOpenGL(const char* library) {
    OGL::Library::InitOptions options;
    options.driverLibrary = library;
    OGL::Library::initialize(options);
}

void InitializeOpenCL(const char* library) {
    EXPECT_FALSE(OCL::Library::isOpenCLAvailable(library));
    OCL::Library::initialize();
}

TEST(MissingDriverTest, EveryEntryPointRefusesOrAnswersNothing) {
    // In order: initialize uses the loader isOpenCLAvailable last asked about.
    const std::pair<std::function<void()>, std::string> refusals[] = {
        {[] { InitializeOpenGL(missingLibrary); }, missingLibrary},
        {[] { InitializeOpenGL(notADriver); }, ""},
        {[] { OGL::ContextOffscreen context(OGL::Context::PrimaryDisplayDevice()); }, ""},
        {[] { OGL::Program program; }, ""},
        {[] { OGL::Texture2D texture(OGL::Texture2D::RGBA8, 32, 32, false, nullptr); }, ""},
        {[] { InitializeOpenCL(missingLibrary); }, missingLibrary},
        {[] { InitializeOpenCL(notADriver); }, "not an OpenCL loader"},
        {[] { OCL::platforms(); }, ""},
        {[] { OCL::Platform(reinterpret_cast<cl_platform_id>(1)).version(); }, ""},
        {[] { OCL::Device(reinterpret_cast<cl_device_id>(1)).name(); }, ""},
    };
    for (const auto& refusal : refusals) {
        const std::string message = Refusal(refusal.first);
        EXPECT_NE("(nothing refused)", message) << refusal.second;
        EXPECT_PRED_FORMAT2(testing::IsSubstring, refusal.second, message);
    }

    EXPECT_EQ(0, OGL::Context::numDisplayDevice());
    DISPLAY_DEVICEA device;
    std::memset(&device, 'x', sizeof device);
    EXPECT_FALSE(OGL::Context::displayDevice(0, device));
    EXPECT_EQ(sizeof device, device.cb);
    EXPECT_STREQ("", device.DeviceName);
    EXPECT_STREQ("", device.DeviceString);
    EXPECT_STREQ("", OGL::Context::PrimaryDisplayDevice().DeviceName);
    { const OGL::ScopedContextWrapper scope; }
    EXPECT_EQ(nullptr, OGL::ExtensionManager::Instance());
    EXPECT_EQ(nullptr, OCL::ExtensionManager::instance().table().clGetDeviceInfo);
}

}  // namespace
