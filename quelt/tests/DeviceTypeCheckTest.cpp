#include <gtest/gtest.h>

#include "quelt/quelt_ocl/Device"

namespace {

using Quelt::OCL::Device;
namespace Enum = Quelt::OCL::Enum;

// The check runs before the driver is asked, so it needs neither a driver nor a
// device: a null device only fails once the type is right.
TEST(DeviceTypeCheckTest, AWrongValueTypeIsRefusedBeforeTheDriverIsAsked) {
    const Device none;
    try {
        none.getInfo<cl_uint>(Enum::DeviceGlobalMemSize);
        FAIL() << "a 64-bit property was read into 32 bits";
    } catch (const Quelt::InternalException& error) {
        EXPECT_STREQ("quelt/quelt_ocl/Device", error.file());
        EXPECT_EQ(111, error.line());
        EXPECT_STREQ("property_typename == type_name", error.message());
    }
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceVendorId), Quelt::InternalException);
    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceName), Quelt::InternalException);

    EXPECT_THROW(none.getInfo<cl_ulong>(Enum::DeviceGlobalMemSize), Quelt::LogicalException);
    EXPECT_THROW(none.getInfo<cl_uint>(Enum::DeviceVendorId), Quelt::LogicalException);
    EXPECT_THROW(none.getInfo<cl_platform_id>(Enum::DevicePlatform), Quelt::LogicalException);
    EXPECT_THROW(none.getInfo<size_t>(Enum::DeviceMaxWorkGroupSize), Quelt::LogicalException);
}

}  // namespace
