// The real program behind fake driver libraries that pass every call to the
// real Mesa and OpenCL loader and alter the answers a case names (the
// variable is described in DriverFault.h). Whatever a driver answers, the run
// ends in bounded time and memory, says on standard error what failed, and
// leaves a report whose every line the host can read.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "ReportGrammar.h"

namespace {

const double kTimeLimitSeconds = 10.0;
const long kPeakLimitKilobytes = 300 * 1024;
// Long enough for the run to reach the hanging call, sanitizer build included.
const double kHangKillSeconds = 5.0;

enum Ending {
    kEnds,           // the report ends with trovexEnd
    kEndsAsHealthy,  // and is the report without the fakes, time stamps aside
    kStops,          // a step that is not guarded failed: no trovexEnd
    kCrashes,        // the driver kills the program (SIGSEGV)
    kHangs,          // the driver never returns, and the test kills the program
};

typedef std::vector<std::string> Texts;

struct FaultCase {
    const char* name;
    std::string fault;  // TROVEX_DRIVER_FAULT
    bool host;          // run with -app=Velmora
    Ending ending;
    int status;                  // where the program exits
    Texts errorLines;            // standard error, exactly
    Texts reportLines;           // lines the report holds; after a crash or hang, its last line
    Texts absentKeys;            // key prefixes no report line has
    bool withoutQueues = false;  // the OpenCL library lacks the command-queue functions
};

void PrintTo(const FaultCase& fault, std::ostream* out) { *out << "\"" << fault.fault << "\""; }

// A failed requirement: its line, then the exception line of the step.
Texts Failed(const std::string& message) { return {message, "exception: " + message}; }

FaultCase Healthy(const char* name, const std::string& fault, bool host) {
    return {name, fault, host, kEndsAsHealthy, 0, {}, {}, {}};
}

FaultCase Holds(const char* name, const std::string& fault, bool host, const Texts& lines) {
    return {name, fault, host, kEnds, 0, {}, lines, {}};
}

FaultCase GLVersion(const char* name, const std::string& text, const std::string& version) {
    return Holds(name, "glGetString(GL_VERSION):text:" + text, false,
                 {"glgpu[0].GLVersion=\"" + version + "\""});
}

// The per-device OpenCL code runs only on a GPU.
const std::string kGpu = "clGetDeviceIDs:gpu;";

FaultCase PlatformVersion(const char* name, const std::string& text, const std::string& version,
                          const std::string& cuda) {
    FaultCase row = Holds(name, kGpu + "clGetPlatformInfo(CL_PLATFORM_VERSION):text:" + text, false,
                          {"clgpu[0].CLPlatformVersion=\"" + version + "\""});
    row.reportLines.push_back(std::string("clgpu[0].CUDASupported=") + (cuda.empty() ? "0" : "1"));
    if (cuda.empty()) row.absentKeys.push_back("clgpu[0].CUDAVersion");
    if (!cuda.empty()) row.reportLines.push_back("clgpu[0].CUDAVersion=\"" + cuda + "\"");
    return row;
}

const char kGLError[] = "Failed requirement: glStatus == GL_NO_ERROR";
const char kNoContext[] = "ContextOffscreen exception caught and ignored.";
const char kDriverVersionSize[] =
    "clGetDeviceInfo(CL_DRIVER_VERSION) answered 18446744073709551615, outside 0 to 1048576";
const std::string kInfoLogFaults =
    "glGetShaderiv(GL_COMPILE_STATUS):answer:0;glGetShaderiv(GL_INFO_LOG_LENGTH):answer:";
const std::string kProgramLogFaults =
    "glGetProgramiv(GL_LINK_STATUS):answer:0;glGetProgramiv(GL_INFO_LOG_LENGTH):answer:";
const Texts kNotCompiled = {"glgpu[0].CanCompileProgramGLSL=0"};
const Texts kNoOpenGL = {"QueltOGLInitialized=0", "OGLContextCreated=0", "NumGLGPUs=0"};
const char kHostQuery[] = "gputag.GL_SHADING_LANGUAGE_VERSION=35724";

// One row per case: name, fault, host tester, ending, status, standard error,
// report lines, absent keys (and whether the OpenCL library lacks the queues).
// clang-format off
const FaultCase kCases[] = {
    Healthy("NoFaultGivesTheHealthyReport", "", true),
    // Single-value queries that write more: the report shows the first value,
    // and every buffer of the library and the program has room for the rest.
    Healthy("SixteenValuesFromEveryQuery", "glGetIntegerv:values:16;glGetProgramivARB:values:16",
            true),
    Healthy("SixtyFourValuesWhereTheLibraryAsks",
            "glGetIntegerv(GL_NUM_EXTENSIONS):values:64;glGetIntegerv(GL_TEXTURE_BINDING_2D):"
            "values:64;glGetShaderiv:values:64;glGetProgramiv:values:64", false),
    // Errors left pending by a call are not charged to the next query.
    Healthy("ErrorLeftAfterEachExtensionNameIsNotCharged", "glGetStringi:error:GL_INVALID_VALUE",
            true),
    Healthy("ErrorLeftByEveryMakeCurrentIsNotCharged", "eglMakeCurrent:error:GL_INVALID_OPERATION",
            true),
    Holds("ErrorsLeftByReadingPastTheListAreNotCharged",
          "glGetIntegerv(GL_NUM_EXTENSIONS):answer:1000", true, {"glgpu[0].GLVersion=\"3.0\""}),

    // Older EGL drivers: the context is made another way, and works.
    Healthy("WithoutSurfacelessContextsAPbufferIsCurrent",
            "eglQueryString(EGL_EXTENSIONS):hide:EGL_KHR_surfaceless_context", false),
    Healthy("EGL14WithoutCreateContextAsksForNoProfile",
            "eglQueryString(EGL_VERSION):text:1.4;eglQueryString(EGL_EXTENSIONS):hide:"
            "EGL_KHR_create_context", false),
    Healthy("NullEGLVersion", "eglQueryString(EGL_VERSION):null", false),

    // The newest version the context supports; 1.2.1 is no version of its own.
    GLVersion("Version30", "3.0 Mesa 22.3.6", "3.0"),
    GLVersion("Version21", "2.1 Mesa 22.3.6", "2.1"),
    GLVersion("Version121", "1.2.1", "1.2"),
    {"NullVersionLeavesNoKnownVersion", "glGetString(GL_VERSION):null", false, kEnds, 2,
     {"exception: Cannot determine OGL version"}, {"NumGLGPUs=1"}, {"glgpu[0]."}},
    {"NoCurrentContextLeavesNoExtensionManager", "eglGetCurrentContext:fail", true, kEnds, 2,
     Failed("Quelt::OGL::ExtensionManager::Instance() returned NULL"), {"NumGLGPUs=1"},
     {"glgpu[0]."}},

    // Extension counts and names.
    {"HugeExtensionCountDropsTheGPU", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:2000000000", false,
     kEnds, 2, {"Quelt::LogicalException: glGetIntegerv(GL_NUM_EXTENSIONS) answered 2000000000, "
                "outside 0 to 65536"},
     {"NumGLGPUs=1"}, {"glgpu[0]."}},
    {"NegativeExtensionCountDropsTheGPU", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:-1", false,
     kEnds, 2, {"Quelt::LogicalException: glGetIntegerv(GL_NUM_EXTENSIONS) answered -1, outside 0 "
                "to 65536"},
     {"NumGLGPUs=1"}, {"glgpu[0]."}},
    Holds("NoExtensionsLeavesTheVersion", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:0", true,
          {"glgpu[0].GLVersion=\"3.0\"",
           "glgpu[0].extension[Quelt::OGL::GL_ARB_VERTEX_PROGRAM]=0"}),
    Holds("NullExtensionNames", "glGetStringi:null", true, {"glgpu[0].HasGLNPOTSupport=0"}),
    Holds("HiddenExtension", "glGetStringi:hide:GL_ARB_texture_float", true,
          {"glgpu[0].extension[Quelt::OGL::GL_ARB_TEXTURE_FLOAT]=0",
           "glgpu[0].extension[Quelt::OGL::GL_ARB_OCCLUSION_QUERY]=1"}),

    // An error after a checked query drops the GPU at that query.
    {"ErrorThatNeverClearsFailsTheCheckedQuery", "glGetError:answer:GL_INVALID_OPERATION", false,
     kEnds, 2, Failed(kGLError), {"glgpu[0].GLVersion=\"3.0\""}, {"glgpu[0].GLName"}},
    {"ErrorOfTheRectangleSizeQuery",
     "glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB):error:GL_INVALID_ENUM", false, kEnds, 2,
     Failed(kGLError), {"glgpu[0].GLDriverVersion=\"?\""}, {"glgpu[0].GLRectTextureSize"}},
    {"ErrorOfAHostTextQuery", "glGetString(GL_SHADING_LANGUAGE_VERSION):error:GL_INVALID_ENUM",
     true, kEnds, 2, Failed(kGLError), {kHostQuery}, {"glgpu[0].glGetString"}},
    {"ErrorOfAHostProgramQuery", "glGetProgramivARB:error:GL_INVALID_OPERATION", true, kEnds, 2,
     Failed(kGLError), {kHostQuery}, {"glgpu[0].glGetProgramivARB"}},
    {"NoProgramQueryEntry", "eglGetProcAddress:hide:glGetProgramivARB", true, kEnds, 2,
     Failed("Failed requirement: glGetProgramivARB != NULL"), {kHostQuery},
     {"glgpu[0].glGetProgramivARB"}},
    Holds("ErrorAfterTheClearFailsTheFramebufferTest",
          "glClear:error:GL_INVALID_FRAMEBUFFER_OPERATION", false,
          {"glgpu[0].GLFrameBufferOK=0"}),

    // Info logs only go into an error message: a broken length is cut.
    Holds("HugeShaderLogLengthIsCut", kInfoLogFaults + "2147483647", false, kNotCompiled),
    Holds("NegativeShaderLogLength", kInfoLogFaults + "-1", false, kNotCompiled),
    Holds("HugeProgramLogLengthIsCut", kProgramLogFaults + "2147483647", false, kNotCompiled),
    Holds("NoProgramLog", kProgramLogFaults + "0", false, kNotCompiled),

    // EGL devices, displays and contexts.
    Holds("HugeEGLDeviceCountFailsTheOpenGLInitialisation",
          "eglQueryDevicesEXT:answer:2000000000", false, kNoOpenGL),
    Holds("NegativeEGLDeviceCountFailsTheOpenGLInitialisation", "eglQueryDevicesEXT:answer:-1",
          false, kNoOpenGL),
    Holds("NoEGLDevices", "eglQueryDevicesEXT:answer:0", false,
          {"QueltOGLInitialized=1", "OGLContextCreated=0", "NumGLGPUs=0"}),
    Holds("NullClientExtensionsFailTheOpenGLInitialisation",
          "eglQueryString(EGL_EXTENSIONS):null", false, kNoOpenGL),
    {"FailingDisplayInitialisation", "eglInitialize:fail", false, kEnds, 0, {kNoContext},
     {"OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"FailingContextCreation", "eglCreateContext:fail", false, kEnds, 0, {kNoContext},
     {"OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"FailingMakeCurrentDropsTheGPU", "eglMakeCurrent:fail", false, kEnds, 2,
     {"Quelt::LogicalException: cannot make the OpenGL context current: EGL error 0x3000"},
     {"OGLContextCreated=1", "NumGLGPUs=1"}, {"glgpu[0]."}},
    Holds("NullRendererIsEmpty", "glGetString(GL_RENDERER):null", false,
          {"glgpu[0].GLName=\"\"", "glgpu[0].GLRenderer=\"\""}),

    // OpenCL platform versions, split at the CUDA marker.
    PlatformVersion("CudaPlatform", "OpenCL 1.1 CUDA 4.2.1", "1.1", "4.2.1"),
    PlatformVersion("CudaPlatformWithoutPrefix", "1.1 CUDA 5.0", "1.1", "5.0"),
    PlatformVersion("CudaMarkerWithoutVersion", "OpenCL 1.1 CUDA ", "1.1", ""),
    PlatformVersion("CudaAtTheEndIsNoMarker", "1.0 CUDA", "1.0 CUDA", ""),
    PlatformVersion("PlatformWithBuildNumber", "OpenCL 1.2 (Build 56)", "1.2 (Build 56)", ""),
    PlatformVersion("PrefixWithoutBlank", "OpenCL1.2", "OpenCL1.2", ""),

    // Device answers are the driver's, exactly: a text without its NUL is
    // read to its end and no further.
    Holds("DeviceAnswersAsTheDriverGivesThem",
          kGpu + "clGetDeviceInfo(CL_DEVICE_NAME):unterminated:GeForce GTX 470;"
          "clGetDeviceInfo(CL_DEVICE_VENDOR):unterminated:NVIDIA Corporation;"
          "clGetDeviceInfo(CL_DRIVER_VERSION):unterminated:270.81;"
          "clGetDeviceInfo(CL_DEVICE_VERSION):text:OpenCL 1.1 CUDA;"
          "clGetDeviceInfo(CL_DEVICE_GLOBAL_MEM_SIZE):answer:1610612735;"
          "clGetDeviceInfo(CL_DEVICE_VENDOR_ID):answer:4318", false,
          {"clgpu[0].CLDeviceVersion=\"1.1 CUDA\"", "clgpu[0].CLMemoryMB=1535",
           "clgpu[0].CLName=\"GeForce GTX 470\"", "clgpu[0].CLVendor=\"NVIDIA Corporation\"",
           "clgpu[0].CLVendorID=4318", "clgpu[0].CLDriverVersion=\"270.81\""}),
    Holds("EveryGPUOfEveryPlatform",
          kGpu + "clGetPlatformIDs:answer:2;clGetDeviceIDs:answer:2", false,
          {"NumCLGPUs=4", "clgpu[3].CLBandwidth=0"}),
    {"FailingDriverVersionDropsTheGPU", kGpu + "clGetDeviceInfo(CL_DRIVER_VERSION):fail", false,
     kEnds, 2, Failed("clGetDeviceInfo failed"), {"NumCLGPUs=1"}, {"clgpu[0].CLDriverVersion"}},
    {"FailingDeviceVersionDropsTheGPU", kGpu + "clGetDeviceInfo(CL_DEVICE_VERSION):fail", false,
     kEnds, 2, Failed("Failed requirement: status == CL_SUCCESS"), {"NumCLGPUs=1"},
     {"clgpu[0].CLDeviceVersion"}},

    // OpenCL counts and sizes. Enumeration is not guarded: a broken count ends
    // the run as a failing enumeration does.
    {"HugePlatformCountStopsTheRunAsAFailingEnumeration", "clGetPlatformIDs:answer:4294967295",
     false, kStops, 2,
     {"Quelt::LogicalException: clGetPlatformIDs answered 4294967295, outside 0 to 1024"},
     {"NumGLGPUs=1"}, {"NumCLGPUs"}},
    {"NoPlatformsMeansNoOpenCL", "clGetPlatformIDs:answer:0", false, kEnds, 0, {}, {},
     {"NumCLGPUs"}},
    {"HugeDeviceCountStopsTheRunAsAFailingEnumeration", kGpu + "clGetDeviceIDs:answer:4294967295",
     false, kStops, 2,
     {"Quelt::LogicalException: clGetDeviceIDs answered 4294967295, outside 0 to 4096"}, {},
     {"NumCLGPUs"}},
    Holds("NoDevices", kGpu + "clGetDeviceIDs:answer:0", false, {"NumCLGPUs=0"}),
    {"DeviceTextSizeOfSizeMaxDropsTheGPU", kGpu + "clGetDeviceInfo(CL_DRIVER_VERSION):answer:-1",
     false, kEnds, 2, Failed(kDriverVersionSize), {"NumCLGPUs=1"},
     {"clgpu[0].CLDriverVersion", "clgpu[0].CLBandwidth"}},
    {"TerabyteDeviceNameDropsTheGPU",
     kGpu + "clGetDeviceInfo(CL_DEVICE_NAME):answer:1099511627776", false, kEnds, 2,
     {"Quelt::LogicalException: clGetDeviceInfo of property 4139 answered 1099511627776, "
      "outside 0 to 1048576"},
     {"NumCLGPUs=1"}, {"clgpu[0].CLName"}},
    Holds("EmptyDeviceVersion", kGpu + "clGetDeviceInfo(CL_DEVICE_VERSION):answer:0", false,
          {"clgpu[0].CLDeviceVersion=\"\""}),
    {"PlatformVersionSizeOfSizeMaxDropsTheGPU",
     kGpu + "clGetPlatformInfo(CL_PLATFORM_VERSION):answer:-1", false, kEnds, 2,
     {"Quelt::LogicalException: clGetPlatformInfo answered 18446744073709551615, outside 0 to "
      "1048576"},
     {"NumCLGPUs=1"}, {"clgpu[0]."}},
    // A failing OpenCL initialisation ends the run.
    {"LoaderWithoutQueueFunctionsStopsTheRunAsAFailingInitialisation", "", true, kStops, 2,
     {"Quelt::LogicalException: libOpenCL.so.1 does not export clCreateCommandQueue: not an "
      "OpenCL loader"},
     {"NumGLGPUs=1"}, {"NumCLGPUs"}, true},

    // A driver that crashes or hangs: the lines written before reach the host whole.
    {"CrashInTheRendererQuery", "glGetString(GL_RENDERER):crash", false, kCrashes, -1, {},
     {"glgpu[0].GLVersion=\"3.0\""}, {}},
    {"HangInTheShadingLanguageQuery", "glGetString(GL_SHADING_LANGUAGE_VERSION):hang", true,
     kHangs, -1, {}, {kHostQuery}, {}},
};
// clang-format on

std::string WithoutTimes(const std::string& line) {
    const std::string key = KeyOf(line);
    return key == "trovexStart" || key == "trovexEnd" ? key : line;
}

Texts ReportWithoutTimes(const std::string& out) {
    Texts lines;
    for (const std::string& line : Lines(out)) lines.push_back(WithoutTimes(line));
    return lines;
}

Texts Arguments(bool host) { return host ? Texts{"-app=Velmora"} : Texts{}; }

// The report of the program on the real drivers alone, once per tester.
const Texts& HealthyReport(bool host) {
    static std::map<bool, Texts> reports;
    if (reports.count(host) == 0) {
        reports[host] = ReportWithoutTimes(RunProcess(TROVEX_BINARY, Arguments(host)).out);
    }
    return reports[host];
}

ProcessResult RunBehindFakes(const FaultCase& fault) {
    ProcessOptions options;
    const char* opencl =
        fault.withoutQueues ? TROVEX_FAKE_OPENCL_WITHOUT_QUEUES_DIR : TROVEX_FAKE_OPENCL_DIR;
    // A sanitizer build would report what the drivers never free.
    options.environment = {std::string("LD_LIBRARY_PATH=") + TROVEX_FAKE_EGL_DIR + ":" + opencl,
                           "TROVEX_DRIVER_FAULT=" + fault.fault, "ASAN_OPTIONS=detect_leaks=0"};
    options.timeLimit = fault.ending == kHangs ? kHangKillSeconds : kTimeLimitSeconds;
    return RunProcess(TROVEX_BINARY, Arguments(fault.host), options);
}

class DriverFault : public testing::TestWithParam<FaultCase> {};

TEST_P(DriverFault, RunEndsBoundedWithAWellFormedReport) {
    const FaultCase& fault = GetParam();
    const ProcessResult run = RunBehindFakes(fault);
    const Texts lines = Lines(run.out);

    EXPECT_LT(run.peakKilobytes, kPeakLimitKilobytes);
    EXPECT_EQ(fault.ending == kHangs, run.killed) << run.seconds << " s";
    EXPECT_EQ(fault.errorLines, Lines(run.err));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    const bool ended = !lines.empty() && KeyOf(lines.back()) == "trovexEnd";
    EXPECT_EQ(fault.ending == kEnds || fault.ending == kEndsAsHealthy, ended) << run.out;
    for (const std::string& expected : fault.reportLines) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    }
    for (const std::string& key : fault.absentKeys) {
        EXPECT_EQ(Texts(), LinesWithKeyPrefix(lines, key));
    }

    switch (fault.ending) {
        case kEndsAsHealthy:
            EXPECT_EQ(HealthyReport(fault.host), ReportWithoutTimes(run.out));
            [[fallthrough]];
        case kEnds:
        case kStops:
            EXPECT_EQ(fault.status, run.status);
            break;
        case kCrashes:
        case kHangs: {
            EXPECT_EQ(fault.ending == kCrashes ? SIGSEGV : SIGKILL, run.signal);
            // Every line written before the fault, each of them whole.
            EXPECT_EQ('\n', run.out.empty() ? '\0' : run.out.back());
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(fault.reportLines.back(), lines.back());
            const Texts& healthy = HealthyReport(fault.host);
            ASSERT_LE(lines.size(), healthy.size());
            EXPECT_EQ(Texts(healthy.begin(), healthy.begin() + lines.size()),
                      ReportWithoutTimes(run.out));
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, DriverFault, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
