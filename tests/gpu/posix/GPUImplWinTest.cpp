// GPUImplWin's matching of adapters to contexts, and its answers about the
// adapter, over display devices and an EGL driver the test scripts: no real
// driver has two adapters of one name. The driver is linked in place of the
// platform folder's loader, the adapter query in place of the system's.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "failure/FailRequirement.h"
#include "gpu/GPU.h"
#include "gpu/win/GPUImplWin.h"
#include "gpu/win/VideoControllers.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/src/ogl/posix/EglPlatform.h"

namespace {

// What the next platform and queries answer. A display device's context
// handle is its index plus one; "!" before a device name makes its context fail.
struct Script {
    std::vector<std::string> devices;  // "name=adapter"
    std::vector<WMIData> adapters;
    std::map<GLenum, GLint> integers{};
    const char* adapterFailure = nullptr;
    GLenum error = GL_NO_ERROR;  // left by every glGetIntegerv
    int contextsMade = 0;
} script;

EGLContext current = EGL_NO_CONTEXT;
GLenum pendingError = GL_NO_ERROR;

WMIData Adapter(const std::string& name, int vendorID = 0x10DE, int adapterRAM = 0) {
    return WMIData(adapterRAM, vendorID, 0x0001, name, name + " caption", "driver.dll", "mode",
                   "8.17.12.5896", "20100812000000.000000-000");
}

// A platform with the script's devices: the library loads each name once.
void Load(const Script& next) {
    static int loads = 0;
    script = next;
    Quelt::OGL::Library::InitOptions options;
    options.driverLibrary = "scripted" + std::to_string(++loads);
    Quelt::OGL::Library::initialize(options);
}

}  // namespace

std::vector<WMIData> GetVideoControllers() {
    if (script.adapterFailure != nullptr) FailRequirement(script.adapterFailure);
    return script.adapters;
}

namespace Quelt {
namespace OGL {

const char* const defaultDriverLibrary = "scripted";

template <typename... Arguments>
EGLBoolean Succeeds(Arguments...) {
    return EGL_TRUE;
}

std::unique_ptr<const LoadedPlatform> loadPlatform(const std::string&) {
    auto platform = std::make_unique<EglPlatform>();
    for (const std::string& device : script.devices) {
        const size_t cut = device.find('=');
        DISPLAY_DEVICEA description = emptyDisplayDevice();
        std::strcpy(description.DeviceName, device.substr(device[0] == '!', cut).c_str());
        std::strcpy(description.DeviceString, device.substr(cut + 1).c_str());
        platform->devices.push_back(description);
        platform->deviceHandles.push_back(
            device[0] == '!' ? nullptr : reinterpret_cast<EGLDeviceEXT>(platform->devices.size()));
    }
    EglEntryPoints& egl = platform->egl;
    egl.initialize = Succeeds;
    egl.bindAPI = Succeeds;
    egl.destroyContext = Succeeds;
    egl.getPlatformDisplay = [](EGLenum, void* device, const EGLint*) { return device; };
    egl.getError = [] { return EGLint(EGL_BAD_DISPLAY); };
    egl.queryString = [](EGLDisplay, EGLint) { return "EGL_KHR_surfaceless_context"; };
    egl.chooseConfig = [](EGLDisplay, const EGLint*, EGLConfig*, EGLint, EGLint* count) {
        *count = 1;
        return EGLBoolean(EGL_TRUE);
    };
    egl.queryAPI = [] { return EGLenum(EGL_OPENGL_API); };
    egl.createContext = [](EGLDisplay display, EGLConfig, EGLContext, const EGLint*) {
        ++script.contextsMade;
        return EGLContext(display);
    };
    egl.makeCurrent = [](EGLDisplay, EGLSurface, EGLSurface, EGLContext context) {
        current = context;
        return EGLBoolean(EGL_TRUE);
    };
    egl.getCurrentContext = [] { return current; };
    egl.getCurrentDisplay = [] { return EGLDisplay(current); };
    egl.getCurrentSurface = [](EGLint) { return EGL_NO_SURFACE; };
    // The vendor text names the display device whose context is current.
    platform->gl.getString = [](GLenum) {
        const size_t index = reinterpret_cast<size_t>(current) - 1;
        return reinterpret_cast<const GLubyte*>(requirePlatform().devices.at(index).DeviceName);
    };
    platform->gl.getIntegerv = [](GLenum name, GLint* values) {
        values[0] = script.integers[name];
        pendingError = script.error;
    };
    platform->gl.getError = [] { return std::exchange(pendingError, GLenum(GL_NO_ERROR)); };
    return platform;
}

}  // namespace OGL
}  // namespace Quelt

namespace {

// Enumerates: what enumeration writes on standard error, then for each
// record the display device of its context and its caption.
std::vector<std::string> Enumerate(const Script& next) {
    Load(next);
    testing::internal::CaptureStderr();
    const GLGPUVec gpus = GPUImplWin().GetGPUs();
    std::vector<std::string> result = {testing::internal::GetCapturedStderr()};
    for (const boost::shared_ptr<GLGPU>& gpu : gpus) {
        result.push_back(gpu->GetVendor() + " " + gpu->GetGLCaption());
    }
    return result;
}

TEST(GPUImplWinTest, AdaptersMeetContextsByNameAndAnswerFromTheirRecord) {
    typedef std::vector<std::string> Texts;
    // One name shares the last context made for it.
    const Script twoOfOneName{
        {"D1=Radeon", "D2=GeForce", "D3=Radeon"},
        {Adapter("Radeon"), Adapter("Missing"), Adapter("Radeon"), Adapter("GeForce")}};
    EXPECT_EQ(Texts({"", "D3 Radeon caption", "D3 Radeon caption", "D2 GeForce caption"}),
              Enumerate(twoOfOneName));
    EXPECT_EQ(3, script.contextsMade);

    // Without a match the first context by adapter name makes one record
    // that knows nothing of its adapter.
    EXPECT_EQ(Texts({"", "D2 ?"}), Enumerate({{"D1=Wine Adapter", "D2=Another Adapter"},
                                              {Adapter("NVIDIA GeForce GTX 470")}}));
    EXPECT_EQ(Texts({"ContextOffscreen exception caught and ignored.\n", "D2 Radeon caption"}),
              Enumerate({{"!D1=Radeon", "D2=Radeon"}, {Adapter("Radeon")}}));

    // A failing adapter query ends enumeration before any context is made.
    EXPECT_EQ(Texts({"pSvc->ExecQuery\nDoGetGPUs fails with exception\n"}),
              Enumerate({twoOfOneName.devices, twoOfOneName.adapters, {}, "pSvc->ExecQuery"}));
    EXPECT_EQ(0, script.contextsMade);

    // The adapter answers come from the adapter record; the NVIDIA and AMD
    // drivers refine its memory through OpenGL, in kilobytes.
    Load({{"D1=Adapter"},
          {},
          {{GL_GPU_MEMORY_INFO_DEDICATED_VIDMEM_NVX, 8 * 1024 * 1024},
           {GL_TEXTURE_FREE_MEMORY_ATI, 3 * 1024 * 1024}}});
    const boost::shared_ptr<Quelt::OGL::Context> context(
        new Quelt::OGL::ContextOffscreen(Quelt::OGL::Context::PrimaryDisplayDevice()));
    const auto gpu = [&context](int vendorID, int adapterRAM) {
        return GLGPU(boost::shared_ptr<GPUImpl>(
            new GPUImplWin(context, Adapter("Adapter", vendorID, adapterRAM))));
    };
    GLGPU record = gpu(0x10DE, 0);
    EXPECT_EQ(0x10DE, record.GetVendorID());
    EXPECT_EQ(0x0001, record.GetGLRendererID());
    EXPECT_EQ("driver.dll", record.GetGLDriver());
    EXPECT_EQ("8.17.12.5896", record.GetDriverVersion());
    EXPECT_EQ("20100812000000.000000-000", record.GetGLDriverDate());

    // vendor, adapter bytes, megabytes
    const int memory[][3] = {{0x10DE, -1048576, 8192},
                             {0x1002, 1073741824, 3072},
                             {0x1002, -1048576, 4095},
                             {0x8086, 268435455, 255},
                             {0x8086, 0, 0}};
    for (const auto& row : memory) EXPECT_EQ(row[2], gpu(row[0], row[1]).GetMemoryMB()) << row[0];
    // A failing query leaves the adapter's figure.
    script.error = GL_INVALID_ENUM;
    testing::internal::CaptureStderr();
    EXPECT_EQ(512, gpu(0x10DE, 536870912).GetMemoryMB());
    EXPECT_EQ("Failed requirement: glStatus == GL_NO_ERROR\n",
              testing::internal::GetCapturedStderr());
}

}  // namespace
