// The library without a driver: its own logic (exceptions, the type check of
// OpenCL properties, the clearing and naming of OpenGL errors), and where no
// OpenGL or OpenCL library exists, or the library is no driver, refusals
// that say so and entry points that stay safe. Nothing here loads a driver.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/Program.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"
#include "quelt/src/ogl/GLError.h"

namespace {

using namespace Quelt;

TEST(NoDriverTest, MessagesSurviveCopiesAndWhatIsNeverNull) {
    LogicalException original("no driver");
    const LogicalException copy = original;
    EXPECT_STREQ("no driver", copy.message());
    EXPECT_STREQ("no driver", copy.what());
    const LogicalException silent(nullptr);
    EXPECT_EQ(nullptr, silent.message());
    ASSERT_NE(nullptr, silent.what());
    EXPECT_STRNE("", silent.what());
    EXPECT_STREQ(
        "quelt/quelt_ocl/Device(111): property_typename == type_name",
        InternalException("quelt/quelt_ocl/Device", 111, "property_typename == type_name").what());
}

// The check runs before the driver is asked, so a null device fails it with
// an InternalException, and only a value of the right type gets as far as
// the missing driver.
TEST(NoDriverTest, AWrongValueTypeIsRefusedBeforeTheDriverIsAsked) {
    namespace Enum = OCL::Enum;
    const OCL::Device none;
    EXPECT_THROW(none.getInfo<cl_uint>(Enum::DeviceGlobalMemSize), InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceVendorId), InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceName), InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceGlobalMemSize), LogicalException);
    EXPECT_THROW(none.getInfo<cl_uint>(Enum::DeviceVendorId), LogicalException);
    EXPECT_THROW(none.getInfo<size_t>(Enum::DeviceMaxWorkGroupSize), LogicalException);
}

int pending = 0;
int reads = 0;

// A driver with pending errors, each answered once.
GLenum APIENTRY PendingErrors() { return ++reads <= pending ? GL_INVALID_OPERATION : GL_NO_ERROR; }

// Clearing reads the pending errors and one GL_NO_ERROR, up to its bound of
// reads, where a driver that keeps answering errors leaves the next check to
// fail.
TEST(NoDriverTest, ClearingReadsPendingErrorsUpToItsBound) {
    OGL::GLEntryPoints gl{};
    gl.getError = PendingErrors;
    // pending errors, reads
    const int cases[][2] = {{0, 1}, {2, 3}, {15, 16}, {16, 16}, {17, 16}};
    for (const auto& c : cases) {
        pending = c[0];
        reads = 0;
        OGL::clearGLErrors(gl);
        EXPECT_EQ(c[1], reads) << c[0] << " pending";
    }
}

// The message of the LogicalException action throws; a text saying so when
// it throws none.
std::string Refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const LogicalException& error) {
        return error.message() != nullptr ? error.message() : "";
    }
    return "(nothing refused)";
}

// OpenGL numbers its errors on from GL_INVALID_ENUM.
TEST(NoDriverTest, EveryGLErrorIsNamed) {
    // clang-format off
    const char* const names[] = {"GL_INVALID_ENUM", "GL_INVALID_VALUE", "GL_INVALID_OPERATION",
        "GL_STACK_OVERFLOW", "GL_STACK_UNDERFLOW", "GL_OUT_OF_MEMORY",
        "GL_INVALID_FRAMEBUFFER_OPERATION", "OpenGL error 0x0507"};
    // clang-format on
    for (GLenum error = GL_INVALID_ENUM; error < GL_INVALID_ENUM + 8; ++error) {
        EXPECT_EQ(std::string("read: ") + names[error - GL_INVALID_ENUM],
                  Refusal([error] { OGL::throwOnGLError(error, "read"); }));
    }
}

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

TEST(NoDriverTest, EveryEntryPointRefusesOrAnswersNothing) {
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
