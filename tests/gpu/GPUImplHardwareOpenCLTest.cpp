// OpenCL answers and measurements of the hardware back end, against the fake
// foundation library.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "FailureText.h"
#include "FakeQuelt.h"
#include "gpu/GPU.h"
#include "gpu/GPUImplHardware.h"
#include "gpu/win/CreateHardwareImpl.h"

using FakeQuelt::CLTable;

namespace {

// A record for a GPU on a platform of its own, as enumeration makes it.
boost::shared_ptr<CLGPU> Record(const std::string& platformVersion,
                                const FakeQuelt::CLDevice& device = FakeQuelt::CLDevice()) {
    const cl_device_id id = FakeQuelt::AddGPU(FakeQuelt::AddPlatform(platformVersion), device);
    const boost::shared_ptr<GPUImpl> impl = CreateHardwareImpl();
    boost::static_pointer_cast<GPUImplHardware>(impl)->SetCLDevice(Quelt::OCL::Device(id));
    return boost::shared_ptr<CLGPU>(new CLGPU(impl));
}

// What clGetDeviceInfo gives for the two text properties: an empty text has size 0.
std::string driverText;
std::string deviceText;

cl_int CL_API_CALL GetDeviceInfo(cl_device_id, cl_device_info property, size_t size, void* value,
                                 size_t* sizeReturned) {
    const std::string& text = property == CL_DRIVER_VERSION ? driverText : deviceText;
    const size_t needed = text.empty() ? 0 : text.size() + 1;
    if (sizeReturned != nullptr) *sizeReturned = needed;
    if (value != nullptr && size >= needed) std::memcpy(value, text.c_str(), needed);
    return text == "fail" ? CL_INVALID_DEVICE : CL_SUCCESS;
}

class HardwareCLTest : public testing::Test {
protected:
    void SetUp() override { FakeQuelt::Reset(); }
};

TEST_F(HardwareCLTest, PlatformVersionSplitsAtTheCUDAMarker) {
    const char* const cases[][3] = {
        {"OpenCL 1.1 CUDA 4.2.1", "1.1", "4.2.1"},
        {"OpenCL 1.2 (Build 56)", "1.2 (Build 56)", ""},
        {"1.0 CUDA", "1.0 CUDA", ""},
        {"1.1 CUDA 5.0", "1.1", "5.0"},
        {"OpenCL 1.1 CUDA ", "1.1", ""},
        {"OpenCL1.2", "OpenCL1.2", ""},
    };
    for (const auto& c : cases) {
        const boost::shared_ptr<CLGPU> gpu = Record(c[0]);
        EXPECT_EQ(c[1], gpu->GetVersion()) << c[0];
        EXPECT_EQ(c[2], gpu->GetCUDAVersion()) << c[0];
        EXPECT_EQ(*c[2] != '\0', gpu->GetCUDASupported()) << c[0];
    }
    EXPECT_EQ("3.0", Record(std::string("OpenCL 3.0\0 CUDA 9.0", 21))->GetCLPlatformVersion());
}

TEST_F(HardwareCLTest, DevicePropertiesAsTheLibraryGivesThem) {
    FakeQuelt::CLDevice device;
    device.name = std::string("GeForce GTX 470\0junk", 20);
    device.vendor = std::string("NVIDIA Corporation\0", 19);
    device.vendorId = 0x10DE;
    device.globalMemSize = 1610612736;
    const boost::shared_ptr<CLGPU> gpu = Record("OpenCL 1.1 CUDA 4.2.1", device);
    EXPECT_EQ("GeForce GTX 470", gpu->GetName());
    EXPECT_EQ("NVIDIA Corporation", gpu->GetVendor());
    EXPECT_EQ(0x10DE, gpu->GetVendorID());
    EXPECT_EQ(1536, gpu->GetMemoryMB());
    device.globalMemSize = 1610612735;
    EXPECT_EQ(1535, Record("OpenCL 1.1", device)->GetMemoryMB());
}

TEST_F(HardwareCLTest, DriverAndDeviceVersionsAreReadThroughTheLoaderTable) {
    const boost::shared_ptr<CLGPU> gpu = Record("OpenCL 1.1");
    const char driverFailure[] = "clGetDeviceInfo failed";
    const char deviceFailure[] = "Failed requirement: status == CL_SUCCESS";
    EXPECT_EQ(driverFailure, FailureText([&] { gpu->GetDriverVersion(); }));
    EXPECT_EQ(deviceFailure, FailureText([&] { gpu->GetCLDeviceVersion(); }));

    CLTable().clGetDeviceInfo = GetDeviceInfo;
    driverText = std::string("270.81\0junk", 11);
    deviceText = "OpenCL 1.1 CUDA";
    EXPECT_EQ("270.81", gpu->GetDriverVersion());
    EXPECT_EQ("1.1 CUDA", gpu->GetCLDeviceVersion());
    driverText = deviceText = "";
    EXPECT_EQ("", gpu->GetDriverVersion());
    EXPECT_EQ("", gpu->GetCLDeviceVersion());
    driverText = deviceText = "fail";
    EXPECT_EQ(driverFailure, FailureText([&] { gpu->GetDriverVersion(); }));
    EXPECT_EQ(deviceFailure, FailureText([&] { gpu->GetCLDeviceVersion(); }));
}

TEST_F(HardwareCLTest, EnumerationGivesOneRecordPerGPUOfEveryPlatform) {
    FakeQuelt::CLDevice device;
    const cl_platform_id first = FakeQuelt::AddPlatform("OpenCL 1.1 CUDA 4.2.1");
    device.name = "A";
    FakeQuelt::AddGPU(first, device);
    device.name = "B";
    FakeQuelt::AddGPU(first, device);
    FakeQuelt::AddPlatform("OpenCL 3.0 without GPUs");
    device.name = "C";
    FakeQuelt::AddGPU(FakeQuelt::AddPlatform("OpenCL 1.2"), device);

    const CLGPUVec gpus = CreateHardwareImpl()->GetCLGPUs();
    ASSERT_EQ(3u, gpus.size());
    EXPECT_EQ("A", gpus[0]->GetName());
    EXPECT_EQ("4.2.1", gpus[1]->GetCUDAVersion());
    EXPECT_EQ("C", gpus[2]->GetName());
}

// A loader whose commands finish at once and take a scripted time each; it
// counts the objects it hands out and gets back.
struct FakeLoader {
    int alive = 0;
    int mostAlive = 0;
    int copies = 0;
    cl_ulong commandNanoseconds = 0;
    std::string programSource;
    size_t groupSize = 0;
    cl_int buildStatus = CL_SUCCESS;
} loader;

char object;

template <typename Handle>
Handle Made(cl_int* status = nullptr) {
    if (status != nullptr) *status = CL_SUCCESS;
    loader.mostAlive = std::max(loader.mostAlive, ++loader.alive);
    return reinterpret_cast<Handle>(&object);
}

template <typename Handle>
cl_int CL_API_CALL Release(Handle) {
    --loader.alive;
    return CL_SUCCESS;
}

cl_mem CL_API_CALL CreateBuffer(cl_context, cl_mem_flags, size_t, void*, cl_int* status) {
    return Made<cl_mem>(status);
}

cl_int CL_API_CALL CopyBuffer(cl_command_queue, cl_mem, cl_mem, size_t, size_t, size_t, cl_uint,
                              const cl_event*, cl_event* event) {
    ++loader.copies;
    *event = Made<cl_event>();
    return CL_SUCCESS;
}

cl_int CL_API_CALL ProfilingInfo(cl_event, cl_profiling_info name, size_t, void* value, size_t*) {
    const cl_ulong time = name == CL_PROFILING_COMMAND_END ? loader.commandNanoseconds : 0;
    std::memcpy(value, &time, sizeof time);
    return CL_SUCCESS;
}

cl_program CL_API_CALL CreateProgram(cl_context, cl_uint, const char** strings, const size_t*,
                                     cl_int* status) {
    loader.programSource = strings[0];
    return Made<cl_program>(status);
}

cl_int CL_API_CALL BuildProgram(cl_program, cl_uint, const cl_device_id*, const char*,
                                void(CL_CALLBACK*)(cl_program, void*), void*) {
    return loader.buildStatus;
}

cl_kernel CL_API_CALL CreateKernel(cl_program, const char*, cl_int* status) {
    return Made<cl_kernel>(status);
}

cl_int CL_API_CALL RunKernel(cl_command_queue, cl_kernel, cl_uint, const size_t*, const size_t*,
                             const size_t* local, cl_uint, const cl_event*, cl_event* event) {
    loader.groupSize = *local;
    *event = Made<cl_event>();
    return CL_SUCCESS;
}

cl_int CL_API_CALL SetKernelArg(cl_kernel, cl_uint, size_t, const void*) { return CL_SUCCESS; }
cl_int CL_API_CALL WaitForEvents(cl_uint, const cl_event*) { return CL_SUCCESS; }
cl_int CL_API_CALL Finish(cl_command_queue) { return CL_SUCCESS; }

void SetUpLoader() {
    loader = FakeLoader();
    Quelt::OCL::DispatchTable& cl = CLTable();
    cl.clCreateBuffer = CreateBuffer;
    cl.clEnqueueCopyBuffer = CopyBuffer;
    cl.clGetEventProfilingInfo = ProfilingInfo;
    cl.clCreateProgramWithSource = CreateProgram;
    cl.clBuildProgram = BuildProgram;
    cl.clCreateKernel = CreateKernel;
    cl.clEnqueueNDRangeKernel = RunKernel;
    cl.clSetKernelArg = SetKernelArg;
    cl.clWaitForEvents = WaitForEvents;
    cl.clFinish = Finish;
    cl.clReleaseMemObject = Release<cl_mem>;
    cl.clReleaseEvent = Release<cl_event>;
    cl.clReleaseProgram = Release<cl_program>;
    cl.clReleaseKernel = Release<cl_kernel>;
}

class MeasurementTest : public HardwareCLTest {
protected:
    void SetUp() override {
        HardwareCLTest::SetUp();
        SetUpLoader();
    }

    Quelt::OCL::Device device;
    Quelt::OCL::Context context{device};
    Quelt::OCL::CommandQueue queue{context, device, true};
};

TEST_F(MeasurementTest, BandwidthStopsAfterOneSecondAndReleasesEachPassesEvents) {
    loader.commandNanoseconds = 30000000;  // a pass of ten copies takes 0.3 s
    EXPECT_NEAR(335544320.0 / 0.3, GPUImplHardware::MeasureCLBandwidth(context, queue), 1.0);
    EXPECT_EQ(40, loader.copies);
    EXPECT_EQ(2 + 10, loader.mostAlive);
    EXPECT_EQ(0, loader.alive);
}

TEST_F(MeasurementTest, ComputeRunsJustIterateAndReleasesWhatItMade) {
    loader.commandNanoseconds = 500000000;
    EXPECT_DOUBLE_EQ(16.0, GPUImplHardware::MeasureCLCompute(context, queue));
    EXPECT_EQ(331u, loader.programSource.size());
    EXPECT_EQ(0u, loader.programSource.find("__kernel void justIterate( __global float* v, "
                                            "unsigned int len ){\t\t\t\t\t\t\t  int gid"));
    EXPECT_EQ(64u, loader.groupSize);
    EXPECT_EQ(0, loader.alive);

    loader.buildStatus = CL_BUILD_PROGRAM_FAILURE;
    EXPECT_EQ("Failed requirement: ciErrNum == CL_SUCCESS",
              FailureText([&] { GPUImplHardware::MeasureCLCompute(context, queue); }));
    EXPECT_EQ(0, loader.alive);
}

}  // namespace
