// The library's own logic, without a driver: its exceptions, the check of an
// OpenCL property's type, and the clearing of pending OpenGL errors.
#include <gtest/gtest.h>

#include <deque>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ocl/Device"
#include "quelt/src/ogl/GLError.h"

namespace {

TEST(CoreTest, MessagesSurviveCopiesAndWhatIsNeverNull) {
    Quelt::LogicalException original("no driver");
    const Quelt::LogicalException copy = original;
    EXPECT_STREQ("no driver", copy.message());
    EXPECT_STREQ("no driver", copy.what());
    const Quelt::LogicalException silent(nullptr);
    EXPECT_EQ(nullptr, silent.message());
    ASSERT_NE(nullptr, silent.what());
    EXPECT_STRNE("", silent.what());
    EXPECT_STREQ(
        "quelt/quelt_ocl/Device(111): property_typename == type_name",
        Quelt::InternalException("quelt/quelt_ocl/Device", 111, "property_typename == type_name")
            .what());
}

// The check runs before the driver is asked, so a null device fails it with
// an InternalException, and only a value of the right type gets as far as
// the missing driver.
TEST(CoreTest, AWrongValueTypeIsRefusedBeforeTheDriverIsAsked) {
    namespace Enum = Quelt::OCL::Enum;
    const Quelt::OCL::Device none;
    EXPECT_THROW(none.getInfo<cl_uint>(Enum::DeviceGlobalMemSize), Quelt::InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceVendorId), Quelt::InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceName), Quelt::InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceGlobalMemSize), Quelt::LogicalException);
    EXPECT_THROW(none.getInfo<cl_uint>(Enum::DeviceVendorId), Quelt::LogicalException);
    EXPECT_THROW(none.getInfo<size_t>(Enum::DeviceMaxWorkGroupSize), Quelt::LogicalException);
}

std::deque<GLenum> pending;
int reads = 0;

GLenum APIENTRY PendingErrors() {
    ++reads;
    const GLenum error = pending.empty() ? GL_NO_ERROR : pending.front();
    if (!pending.empty()) pending.pop_front();
    return error;
}

// Says GL_NO_ERROR only after a thousand reads, so that a reader without a
// bound ends too.
GLenum APIENTRY NeverClears() { return ++reads < 1000 ? GL_INVALID_OPERATION : GL_NO_ERROR; }

TEST(CoreTest, ClearingReadsWhatIsPendingAndStopsWhereTheDriverNeverClears) {
    Quelt::OGL::GLEntryPoints gl{};
    gl.getError = PendingErrors;
    pending = {GL_INVALID_VALUE, GL_INVALID_ENUM};
    Quelt::OGL::clearGLErrors(gl);
    EXPECT_EQ(3, reads);
    gl.getError = NeverClears;
    reads = 0;
    Quelt::OGL::clearGLErrors(gl);
    EXPECT_EQ(Quelt::OGL::maxPendingErrors, reads);
}

}  // namespace
