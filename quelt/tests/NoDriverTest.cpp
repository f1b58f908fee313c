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

// What the action's exception says, marked where its message is null; a text
// saying so when it throws none.
std::string Refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const ExceptionBase& error) {
        return (error.message() != nullptr ? "" : "(null) ") + std::string(error.what());
    }
    return "(nothing refused)";
}

int pending = 0;
int reads = 0;

// A driver with pending errors, each answered once.
GLenum APIENTRY PendingErrors() { return ++reads <= pending ? GL_INVALID_OPERATION : GL_NO_ERROR; }

// Clearing reads the pending errors and one GL_NO_ERROR, up to its bound of
// reads, where a driver that keeps answering errors leaves the next check to
// fail. OpenGL numbers its errors on from GL_INVALID_ENUM.
TEST(NoDriverTest, ClearingReadsPendingErrorsUpToItsBoundAndEveryErrorIsNamed) {
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
    // clang-format off
    const char* const names[] = {"GL_INVALID_ENUM", "GL_INVALID_VALUE", "GL_INVALID_OPERATION",
        "GL_STACK_OVERFLOW", "GL_STACK_UNDERFLOW", "GL_OUT_OF_MEMORY",
        "GL_INVALID_FRAMEBUFFER_OPERATION", "OpenGL error 0x0507"};
    // clang-format on
    for (GLenum error = GL_INVALID_ENUM; error < GL_INVALID_ENUM + 8; ++error)
        EXPECT_EQ(std::string("read: ") + names[error - GL_INVALID_ENUM],
                  Refusal([error] { OGL::throwOnGLError(error, "read"); }));
}

// The build names them for the platform.
const char* const missingLibrary = QUELT_TEST_MISSING_LIBRARY;
const char* const notADriver = QUELT_TEST_NOT_A_DRIVER;
const char* const typeCheck = "quelt/quelt_ocl/Device(111): property_typename == type_name";
const char* const noInit = "is not initialised: call";
const char* const nullDevice = "OpenCL query on a null device";
const LogicalException noDriver("no driver");

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
        // A copy keeps the text of the exception it was made from; what() is never null.
        {[] { throw noDriver; }, "no driver"},
        {[] { throw LogicalException(nullptr); }, "(null) Quelt exception without a message"},
        {[] { InitializeOpenGL(missingLibrary); }, missingLibrary},
        {[] { InitializeOpenGL(notADriver); }, "the library does not export"},
        {[] { OGL::ContextOffscreen context(OGL::Context::PrimaryDisplayDevice()); }, noInit},
        {[] { OGL::Program program; }, noInit},
        {[] { OGL::Texture2D texture(OGL::Texture2D::RGBA8, 32, 32, false, nullptr); }, noInit},
        {[] { InitializeOpenCL(missingLibrary); }, missingLibrary},
        {[] { InitializeOpenCL(notADriver); }, "not an OpenCL loader"},
        {[] { OCL::platforms(); }, noInit},
        {[] { OCL::Platform(reinterpret_cast<cl_platform_id>(1)).version(); }, noInit},
        {[] { OCL::Device(reinterpret_cast<cl_device_id>(1)).name(); }, noInit},
        // The type check runs before the driver is asked: only a value of the
        // right type gets as far as the null device.
        {[] { OCL::Device().getInfo<cl_uint>(OCL::Enum::DeviceGlobalMemSize); }, typeCheck},
        {[] { OCL::Device().getInfo<cl_ulong>(OCL::Enum::DeviceVendorId); }, typeCheck},
        {[] { OCL::Device().getInfo<cl_ulong>(OCL::Enum::DeviceName); }, typeCheck},
        {[] { OCL::Device().getInfo<cl_ulong>(OCL::Enum::DeviceGlobalMemSize); }, nullDevice},
        {[] { OCL::Device().getInfo<cl_uint>(OCL::Enum::DeviceVendorId); }, nullDevice},
        {[] { OCL::Device().getInfo<size_t>(OCL::Enum::DeviceMaxWorkGroupSize); }, nullDevice},
    };
    for (const auto& refusal : refusals)
        EXPECT_PRED_FORMAT2(testing::IsSubstring, refusal.second, Refusal(refusal.first));

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
