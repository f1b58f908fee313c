// Enumeration of OpenGL GPUs and the adapter answers of the Windows back end,
// with the fake foundation library and a scripted video-controller query.
#include <gtest/gtest.h>

#include "FakeQuelt.h"
#include "FakeVideoControllers.h"
#include "gpu/GPU.h"
#include "gpu/win/CreateHardwareImpl.h"
#include "gpu/win/GPUImplWin.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"

using FakeQuelt::GL;
using FakeQuelt::MakeDisplayDevice;

namespace {

WMIData Adapter(const std::string& name, int vendorID, int adapterRAM = 0) {
    return WMIData(adapterRAM, vendorID, 0x0001, name, name + " caption", "driver.dll", "mode",
                   "8.17.12.5896", "20100812000000.000000-000");
}

class GPUImplWinTest : public testing::Test {
protected:
    void SetUp() override {
        FakeQuelt::Reset();
        FakeVideoControllers::Set({});
    }

    // Enumerates, and gives what enumeration wrote on standard error.
    std::string Enumerate() {
        testing::internal::CaptureStderr();
        gpus = CreateHardwareImpl()->GetGPUs();
        return testing::internal::GetCapturedStderr();
    }

    // The display device whose context the record's queries run on.
    static std::string ContextOf(const boost::shared_ptr<GLGPU>& gpu) {
        GL().queriedOn.clear();
        gpu->GetVendor();
        return GL().queriedOn.at(0);
    }

    // The memory answer of a back end on the adapter.
    static int MemoryMB(int vendorID, int adapterRAM) {
        const boost::shared_ptr<Quelt::OGL::Context> context(
            new Quelt::OGL::ContextOffscreen(MakeDisplayDevice("GPU0", "Adapter")));
        return GLGPU(boost::shared_ptr<GPUImpl>(
                         new GPUImplWin(context, Adapter("Adapter", vendorID, adapterRAM))))
            .GetMemoryMB();
    }

    GLGPUVec gpus;
};

TEST_F(GPUImplWinTest, AdaptersMeetContextsByNameAndOneNameSharesTheLastContext) {
    FakeVideoControllers::Set({Adapter("Radeon HD 5870", 0x1002), Adapter("Missing", 0x8086),
                               Adapter("Radeon HD 5870", 0x1002), Adapter("GeForce", 0x10DE)});
    GL().displayDevices = {MakeDisplayDevice("DISPLAY1", "Radeon HD 5870"),
                           MakeDisplayDevice("DISPLAY2", "GeForce"),
                           MakeDisplayDevice("DISPLAY3", "Radeon HD 5870")};
    EXPECT_EQ("", Enumerate());
    ASSERT_EQ(3u, gpus.size());
    EXPECT_EQ("DISPLAY3", ContextOf(gpus[0]));
    EXPECT_EQ("DISPLAY3", ContextOf(gpus[1]));
    EXPECT_EQ("DISPLAY2", ContextOf(gpus[2]));
    EXPECT_EQ(2, GL().contextsAlive);

    EXPECT_EQ("GeForce caption", gpus[2]->GetGLCaption());
    EXPECT_EQ(0x10DE, gpus[2]->GetVendorID());
    EXPECT_EQ(0x0001, gpus[2]->GetGLRendererID());
    EXPECT_EQ("driver.dll", gpus[2]->GetGLDriver());
    EXPECT_EQ("8.17.12.5896", gpus[2]->GetDriverVersion());
    EXPECT_EQ("20100812000000.000000-000", gpus[2]->GetGLDriverDate());
}

TEST_F(GPUImplWinTest, WithoutAMatchingNameTheFirstContextMakesOneUnknownRecord) {
    FakeVideoControllers::Set({Adapter("NVIDIA GeForce GTX 470", 0x10DE, -1048576)});
    GL().displayDevices = {MakeDisplayDevice("DISPLAY1", "Wine Adapter"),
                           MakeDisplayDevice("DISPLAY2", "Another Adapter")};
    EXPECT_EQ("", Enumerate());
    ASSERT_EQ(1u, gpus.size());
    EXPECT_EQ("DISPLAY2", ContextOf(gpus[0]));
    EXPECT_EQ("?", gpus[0]->GetGLCaption());
    EXPECT_EQ("?", gpus[0]->GetGLDriver());
    EXPECT_EQ("?", gpus[0]->GetDriverVersion());
    EXPECT_EQ("?", gpus[0]->GetGLDriverDate());
    EXPECT_EQ(0, gpus[0]->GetVendorID());
    EXPECT_EQ(0, gpus[0]->GetGLRendererID());
    EXPECT_EQ(0, gpus[0]->GetMemoryMB());
}

TEST_F(GPUImplWinTest, FailuresCostOnlyWhatFailed) {
    FakeVideoControllers::Set({Adapter("Radeon HD 5870", 0x1002)});
    GL().displayDevices = {MakeDisplayDevice("DISPLAY1", "Radeon HD 5870"),
                           MakeDisplayDevice("DISPLAY2", "Radeon HD 5870")};
    GL().failingDevices = {"DISPLAY2"};
    EXPECT_EQ("ContextOffscreen exception caught and ignored.\n", Enumerate());
    ASSERT_EQ(1u, gpus.size());
    EXPECT_EQ("DISPLAY1", ContextOf(gpus[0]));

    // A failing adapter query ends enumeration before any context is made.
    GL().contextsCreated = 0;
    FakeVideoControllers::FailWith("pSvc->ExecQuery");
    EXPECT_EQ("pSvc->ExecQuery\nDoGetGPUs fails with exception\n", Enumerate());
    EXPECT_TRUE(gpus.empty());
    EXPECT_EQ(0, GL().contextsCreated);
}

TEST_F(GPUImplWinTest, NVIDIAAndAMDDriversRefineTheAdapterMemory) {
    GL().integers[GL_GPU_MEMORY_INFO_DEDICATED_VIDMEM_NVX] = {8 * 1024 * 1024};
    GL().integers[GL_TEXTURE_FREE_MEMORY_ATI] = {3 * 1024 * 1024, 0, 0, 0};
    EXPECT_EQ(8192, MemoryMB(0x10DE, -1048576));
    EXPECT_EQ(3072, MemoryMB(0x1002, 1073741824));
    EXPECT_EQ(4095, MemoryMB(0x1002, -1048576));
    EXPECT_EQ(255, MemoryMB(0x8086, 268435455));
    EXPECT_EQ(0, MemoryMB(0x8086, 0));

    testing::internal::CaptureStderr();
    GL().callErrors = {GL_INVALID_ENUM};
    EXPECT_EQ(512, MemoryMB(0x10DE, 536870912));
    EXPECT_EQ("Failed requirement: glStatus == GL_NO_ERROR\n",
              testing::internal::GetCapturedStderr());
}

}  // namespace
