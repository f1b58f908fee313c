// The hardware back end against this machine's real drivers: OpenGL through the
// foundation library's offscreen context, OpenCL through its first platform's
// first device of any kind. Each answer is compared with what the driver itself
// says.
#include <CL/cl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "FailureText.h"
#include "gpu/GPU.h"
#include "gpu/GPUImplHardware.h"
#include "gpu/win/CreateHardwareImpl.h"
#include "gpu/win/GPUImplWin.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/Library.h"

using testing::HasSubstr;
using testing::StartsWith;

namespace {

void InitializeOpenGL() {
    Quelt::Core::Library::initialize();
    Quelt::OGL::Library::initialize(Quelt::OGL::Library::InitOptions());
}

class GLDriverTest : public testing::Test {
protected:
    static void SetUpTestSuite() { InitializeOpenGL(); }

    void SetUp() override {
        const boost::shared_ptr<Quelt::OGL::Context> context(
            new Quelt::OGL::ContextOffscreen(Quelt::OGL::Context::PrimaryDisplayDevice()));
        gpu.reset(new GLGPU(boost::shared_ptr<GPUImpl>(new GPUImplWin(context, WMIData()))));
    }

    boost::shared_ptr<GLGPU> gpu;
};

TEST_F(GLDriverTest, AnswersAsTheDriversStringsSay) {
    int major = 0;
    int minor = 0;
    ASSERT_EQ(2, std::sscanf(gpu->GLGetString(GL_VERSION), "%d.%d", &major, &minor));
    ASSERT_GE(major, 3) << "the version table's newest entry is 3.0";
    EXPECT_EQ("3.0", gpu->GetVersion());

    EXPECT_EQ(gpu->GLGetString(GL_VENDOR), gpu->GetVendor());
    EXPECT_THAT(gpu->GetVendor(), HasSubstr("Mesa"));
    EXPECT_EQ(gpu->GLGetString(GL_RENDERER), gpu->GetName());
    EXPECT_THAT(gpu->GetName(), StartsWith("llvmpipe"));

    const std::string extensions = gpu->GLGetString(GL_EXTENSIONS);
    EXPECT_EQ(extensions.find("GL_ARB_texture_non_power_of_two") != std::string::npos,
              gpu->HasGLNPOTSupport());
    EXPECT_EQ(extensions.find("GL_ARB_fragment_program ") != std::string::npos,
              gpu->CheckExtension(Quelt::OGL::GL_ARB_FRAGMENT_PROGRAM));

    EXPECT_EQ(16384, gpu->GetGLRectTextureSize());
    GLint values[kMaxGLQueryValues] = {};
    gpu->GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, GL_MAX_PROGRAM_INSTRUCTIONS_ARB, values);
    EXPECT_GT(values[0], 0);

    EXPECT_TRUE(gpu->CanCompileProgramGLSL());
    EXPECT_TRUE(gpu->GetGLFrameBufferOK());
}

TEST_F(GLDriverTest, AnInvalidEnumerantFailsWithItsLineFirst) {
    EXPECT_EQ("Failed requirement: glStatus == GL_NO_ERROR",
              FailureText([&] { gpu->GLGetString(0x1234); }));
    // The failed query leaves nothing behind for the next one.
    EXPECT_TRUE(gpu->GetGLFrameBufferOK());
}

TEST(HardwareEnumerationDriverTest, TheFactorysRecordsAnswerEveryOpenGLProperty) {
    InitializeOpenGL();
    const GLGPUVec gpus = CreateHardwareImpl()->GetGPUs();
    ASSERT_FALSE(gpus.empty());
    for (const boost::shared_ptr<GLGPU>& gpu : gpus) {
        EXPECT_EQ("3.0", gpu->GetVersion());
        EXPECT_EQ(gpu->GLGetString(GL_VENDOR), gpu->GetVendor());
        EXPECT_EQ(gpu->GLGetString(GL_RENDERER), gpu->GetName());
        EXPECT_EQ(gpu->GetName(), gpu->GetGLRenderer());
        EXPECT_GE(gpu->GetMemoryMB(), 0);
        EXPECT_GT(gpu->GetGLRectTextureSize(), 0);
        EXPECT_NO_THROW(gpu->GetVendorID());
        EXPECT_NO_THROW(gpu->GetGLRendererID());
        EXPECT_FALSE(gpu->GetDriverVersion().empty());
        EXPECT_FALSE(gpu->GetGLDriver().empty());
        EXPECT_NO_THROW(gpu->GetGLDriverDate());
        EXPECT_FALSE(gpu->GetGLCaption().empty());
        EXPECT_TRUE(gpu->HasGLNPOTSupport());
        EXPECT_TRUE(gpu->CanCompileProgramGLSL());
        EXPECT_TRUE(gpu->GetGLFrameBufferOK());
    }
}

// What the loader says about a device property, read without the library.
std::string DeviceText(cl_device_id device, cl_device_info property) {
    size_t size = 0;
    clGetDeviceInfo(device, property, 0, nullptr, &size);
    std::vector<char> text(size + 1, '\0');
    clGetDeviceInfo(device, property, size, text.data(), nullptr);
    return text.data();
}

template <typename Value>
Value DeviceValue(cl_device_id device, cl_device_info property) {
    Value value = Value();
    clGetDeviceInfo(device, property, sizeof value, &value, nullptr);
    return value;
}

class CLDriverTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Quelt::OCL::Library::isOpenCLAvailable(""));
        Quelt::OCL::Library::initialize();
    }

    void SetUp() override {
        const std::vector<Quelt::OCL::Platform> platforms = Quelt::OCL::platforms();
        ASSERT_FALSE(platforms.empty());
        platform = platforms[0];
        const std::vector<Quelt::OCL::Device> devices = platform.devices(Quelt::OCL::Device::All);
        ASSERT_FALSE(devices.empty());
        device = devices[0];
    }

    Quelt::OCL::Platform platform;
    Quelt::OCL::Device device;
};

TEST_F(CLDriverTest, ADeviceSetDirectlyAnswersAsTheDriverSays) {
    const boost::shared_ptr<GPUImpl> impl = CreateHardwareImpl();
    boost::static_pointer_cast<GPUImplHardware>(impl)->SetCLDevice(device);
    CLGPU gpu(impl);
    const cl_device_id id = device.id();

    size_t size = 0;
    clGetPlatformInfo(platform.id(), CL_PLATFORM_VERSION, 0, nullptr, &size);
    std::vector<char> platformVersion(size + 1, '\0');
    clGetPlatformInfo(platform.id(), CL_PLATFORM_VERSION, size, platformVersion.data(), nullptr);
    const std::string expectedVersion = std::string(platformVersion.data()).substr(7);

    EXPECT_EQ(expectedVersion, gpu.GetVersion());
    EXPECT_EQ("", gpu.GetCUDAVersion());
    EXPECT_FALSE(gpu.GetCUDASupported());
    EXPECT_EQ(DeviceText(id, CL_DEVICE_NAME), gpu.GetName());
    EXPECT_EQ(DeviceText(id, CL_DEVICE_VENDOR), gpu.GetVendor());
    EXPECT_EQ(static_cast<int>(DeviceValue<cl_ulong>(id, CL_DEVICE_GLOBAL_MEM_SIZE) >> 20),
              gpu.GetMemoryMB());
    EXPECT_EQ(static_cast<int>(DeviceValue<cl_uint>(id, CL_DEVICE_VENDOR_ID)), gpu.GetVendorID());
    EXPECT_EQ(DeviceText(id, CL_DRIVER_VERSION), gpu.GetDriverVersion());
    EXPECT_EQ(DeviceText(id, CL_DEVICE_VERSION).substr(7), gpu.GetCLDeviceVersion());
    EXPECT_EQ(0.0, gpu.GetCLBandwidth());
    EXPECT_EQ(0.0, gpu.GetCLCompute());
}

TEST_F(CLDriverTest, BothMeasurementsRunAndGivePositiveFigures) {
    const Quelt::OCL::Context context(device);
    const Quelt::OCL::CommandQueue queue(context, device, true);
    const double bandwidth = GPUImplHardware::MeasureCLBandwidth(context, queue);
    const double compute = GPUImplHardware::MeasureCLCompute(context, queue);
    EXPECT_GT(bandwidth, 0.0);
    EXPECT_GT(compute, 0.0);
}

TEST_F(CLDriverTest, EnumerationGivesOneRecordPerGPUTheLoaderLists) {
    cl_uint platformCount = 0;
    clGetPlatformIDs(0, nullptr, &platformCount);
    std::vector<cl_platform_id> platforms(platformCount);
    clGetPlatformIDs(platformCount, platforms.data(), nullptr);
    cl_uint gpuCount = 0;
    for (const cl_platform_id id : platforms) {
        cl_uint count = 0;
        if (clGetDeviceIDs(id, CL_DEVICE_TYPE_GPU, 0, nullptr, &count) == CL_SUCCESS) {
            gpuCount += count;
        }
    }
    EXPECT_EQ(gpuCount, CreateHardwareImpl()->GetCLGPUs().size());
}

}  // namespace
