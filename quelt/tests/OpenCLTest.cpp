// Platforms, devices, contexts and queues against the machine's OpenCL loader
// and drivers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ocl/CommandQueue"
#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/quelt_ocl/Library"
#include "quelt/src/core/SharedObject.h"
#include "quelt/src/ocl/DefaultLoader.h"

namespace {

using namespace Quelt::OCL;

const DispatchTable& cl() { return ExtensionManager::instance().table(); }

// A device property's bytes as the driver gives them.
std::string rawDeviceInfo(cl_device_id device, cl_device_info property) {
    size_t size = 0;
    EXPECT_EQ(CL_SUCCESS, cl().clGetDeviceInfo(device, property, 0, nullptr, &size));
    std::string bytes(size, '\0');
    EXPECT_EQ(CL_SUCCESS, cl().clGetDeviceInfo(device, property, size, &bytes[0], nullptr));
    return bytes;
}

template <typename T>
T rawDeviceValue(cl_device_id device, cl_device_info property) {
    T value{};
    EXPECT_EQ(CL_SUCCESS, cl().clGetDeviceInfo(device, property, sizeof value, &value, nullptr));
    return value;
}

class OpenCLTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Library::isOpenCLAvailable(""));
        Library::initialize();
    }

    static std::vector<Device> allDevices() {
        std::vector<Device> devices;
        for (const Platform& platform : platforms()) {
            const std::vector<Device> ofPlatform = platform.devices(Device::All);
            devices.insert(devices.end(), ofPlatform.begin(), ofPlatform.end());
        }
        return devices;
    }
};

TEST_F(OpenCLTest, DevicesAnswerAsTheDriverDoes) {
    const std::vector<Device> devices = allDevices();
    ASSERT_FALSE(devices.empty());
    for (const Device& device : devices) {
        const std::string name = device.name();
        SCOPED_TRACE(name);
        EXPECT_EQ(rawDeviceInfo(device.id(), CL_DEVICE_NAME), name);
        EXPECT_STRNE("", name.c_str());
        EXPECT_EQ(rawDeviceInfo(device.id(), CL_DEVICE_VENDOR), device.vendor());
        EXPECT_EQ(rawDeviceValue<cl_uint>(device.id(), CL_DEVICE_VENDOR_ID),
                  device.getInfo<cl_uint>(Enum::DeviceVendorId));
        EXPECT_EQ(rawDeviceValue<cl_ulong>(device.id(), CL_DEVICE_GLOBAL_MEM_SIZE),
                  device.getInfo<cl_ulong>(Enum::DeviceGlobalMemSize));
        EXPECT_EQ(rawDeviceValue<cl_device_type>(device.id(), CL_DEVICE_TYPE),
                  device.getInfo<cl_device_type>(Enum::DeviceType));

        const Platform platform = device.platform();
        EXPECT_EQ(rawDeviceValue<cl_platform_id>(device.id(), CL_DEVICE_PLATFORM), platform.id());
        EXPECT_EQ(0u, platform.version().rfind("OpenCL ", 0)) << platform.version();
        EXPECT_EQ(std::string::npos, platform.version().find('\0'));
        EXPECT_EQ(0u, rawDeviceInfo(device.id(), CL_DEVICE_VERSION).rfind("OpenCL ", 0));
    }
}

// A platform without devices of a type answers CL_DEVICE_NOT_FOUND, which is an
// empty list, not a failure.
TEST_F(OpenCLTest, TypedDeviceQueriesMatchTheDriver) {
    for (const Platform& platform : platforms()) {
        SCOPED_TRACE(platform.name());
        for (const int type : {Device::CPU, Device::GPU, Device::Accelerator}) {
            cl_uint count = 0;
            const cl_int status = cl().clGetDeviceIDs(
                platform.id(), static_cast<cl_device_type>(type), 0, nullptr, &count);
            const std::vector<Device> devices = platform.devices(type);
            EXPECT_EQ(status == CL_DEVICE_NOT_FOUND ? 0u : count, devices.size()) << type;
            for (const Device& device : devices) {
                EXPECT_TRUE(device.getInfo<cl_device_type>(Enum::DeviceType) &
                            static_cast<cl_device_type>(type));
            }
        }
    }
}

TEST_F(OpenCLTest, TheTableFollowsTheDispatchOrder) {
    const Quelt::Core::SharedObject loader(defaultLoader, "the OpenCL loader");
    const auto* entries = reinterpret_cast<void* const*>(&cl());
    const std::pair<int, const char*> used[] = {
        {3, "clGetDeviceInfo"},
        {14, "clCreateBuffer"},
        {18, "clReleaseMemObject"},
        {26, "clCreateProgramWithSource"},
        {30, "clBuildProgram"},
        {34, "clCreateKernel"},
        {38, "clSetKernelArg"},
        {41, "clWaitForEvents"},
        {44, "clReleaseEvent"},
        {45, "clGetEventProfilingInfo"},
        {47, "clFinish"},
        {50, "clEnqueueCopyBuffer"},
        {59, "clEnqueueNDRangeKernel"},
    };
    for (const auto& entry : used) {
        EXPECT_EQ(loader.symbol(entry.second), entries[entry.first]) << entry.second;
        EXPECT_NE(nullptr, entries[entry.first]) << entry.second;
    }
}

TEST_F(OpenCLTest, QueuesRecordProfilingTimesWhenAsked) {
    const std::vector<Device> devices = allDevices();
    ASSERT_FALSE(devices.empty());
    const Context context(devices.front());
    const CommandQueue profiled(context, devices.front(), true);
    const CommandQueue plain(context, devices.front(), false);
    const CommandQueue copy = profiled;
    EXPECT_EQ(profiled.handle(), copy.handle());

    for (const CommandQueue* queue : {&profiled, &plain}) {
        cl_command_queue_properties properties = 0;
        ASSERT_EQ(CL_SUCCESS, cl().clGetCommandQueueInfo(queue->handle(), CL_QUEUE_PROPERTIES,
                                                         sizeof properties, &properties, nullptr));
        EXPECT_EQ(queue == &profiled, (properties & CL_QUEUE_PROFILING_ENABLE) != 0);
        cl_context owner = nullptr;
        ASSERT_EQ(CL_SUCCESS, cl().clGetCommandQueueInfo(queue->handle(), CL_QUEUE_CONTEXT,
                                                         sizeof owner, &owner, nullptr));
        EXPECT_EQ(context.handle(), owner);
    }
}

}  // namespace
