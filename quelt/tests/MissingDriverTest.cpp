// Where no OpenGL or OpenCL library exists, the library reports it and every
// entry point stays safe. Nothing in this executable loads a real driver.
#include <gtest/gtest.h>

#include <cstring>

#include "quelt/quelt_core/Exception.h"
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

// The build names them for the platform.
const char* const missingLibrary = QUELT_TEST_MISSING_LIBRARY;
const char* const notADriver = QUELT_TEST_NOT_A_DRIVER;

std::string messageOf(const Quelt::LogicalException& error) {
    return error.message() != nullptr ? error.message() : "";
}

TEST(MissingDriverTest, OpenGLInitialisationSaysWhichLibraryIsMissing) {
    Quelt::OGL::Library::InitOptions options;
    options.driverLibrary = missingLibrary;
    try {
        Quelt::OGL::Library::initialize(options);
        FAIL() << "initialised without a driver";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, missingLibrary, messageOf(error));
    }
}

TEST(MissingDriverTest, OpenGLWithoutADriverOffersNothingAndCrashesNothing) {
    using namespace Quelt::OGL;
    EXPECT_EQ(0, Context::numDisplayDevice());
    DISPLAY_DEVICEA device;
    std::memset(&device, 'x', sizeof device);
    EXPECT_FALSE(Context::displayDevice(0, device));
    EXPECT_EQ(sizeof device, device.cb);
    EXPECT_STREQ("", device.DeviceName);
    EXPECT_STREQ("", device.DeviceString);

    const DISPLAY_DEVICEA primary = Context::PrimaryDisplayDevice();
    EXPECT_STREQ("", primary.DeviceName);
    EXPECT_THROW(ContextOffscreen context(primary), Quelt::LogicalException);
    { const ScopedContextWrapper scope; }
    EXPECT_EQ(nullptr, ExtensionManager::Instance());
    EXPECT_THROW(Program(), Quelt::LogicalException);
    EXPECT_THROW(Texture2D(Texture2D::RGBA8, 32, 32, false, nullptr), Quelt::LogicalException);
}

TEST(MissingDriverTest, OpenCLIsUnavailableAndRefusesToStart) {
    using namespace Quelt::OCL;
    EXPECT_FALSE(Library::isOpenCLAvailable(missingLibrary));
    try {
        Library::initialize();
        FAIL() << "initialised without a loader";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, missingLibrary, messageOf(error));
    }
    EXPECT_EQ(nullptr, ExtensionManager::instance().table().clGetDeviceInfo);
    EXPECT_THROW(platforms(), Quelt::LogicalException);
    EXPECT_THROW(Platform(reinterpret_cast<cl_platform_id>(1)).version(), Quelt::LogicalException);
    EXPECT_THROW(Device(reinterpret_cast<cl_device_id>(1)).name(), Quelt::LogicalException);
}

// A library that loads but offers neither OpenGL nor OpenCL.
TEST(MissingDriverTest, ALibraryThatIsNoDriverIsRefusedToo) {
    Quelt::OGL::Library::InitOptions options;
    options.driverLibrary = notADriver;
    EXPECT_THROW(Quelt::OGL::Library::initialize(options), Quelt::LogicalException);
    EXPECT_EQ(0, Quelt::OGL::Context::numDisplayDevice());

    EXPECT_FALSE(Quelt::OCL::Library::isOpenCLAvailable(notADriver));
    try {
        Quelt::OCL::Library::initialize();
        FAIL() << "initialised OpenCL from " << notADriver;
    } catch (const Quelt::LogicalException& error) {
        EXPECT_PRED_FORMAT2(testing::IsSubstring, "not an OpenCL loader", messageOf(error));
    }
}

}  // namespace
