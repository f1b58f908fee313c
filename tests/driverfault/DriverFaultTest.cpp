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

enum OpenCLLibrary { kLoader, kLoaderWithoutQueues };

struct FaultCase {
    const char* name;
    std::string fault;  // TROVEX_DRIVER_FAULT
    bool host;          // run with -app=Velmora
    Ending ending;
    int status;                            // where the program exits
    std::vector<std::string> errorLines;   // standard error, exactly
    std::vector<std::string> reportLines;  // lines the report holds; after a crash or hang,
                                           // its last line
    std::vector<std::string> absentKeys;   // key prefixes no report line has
    OpenCLLibrary opencl = kLoader;
};

void PrintTo(const FaultCase& fault, std::ostream* out) { *out << "\"" << fault.fault << "\""; }

const char kGLError[] = "Failed requirement: glStatus == GL_NO_ERROR";
const char kNoContext[] = "ContextOffscreen exception caught and ignored.";
const char kDriverVersionSize[] =
    "clGetDeviceInfo(CL_DRIVER_VERSION) answered 18446744073709551615, outside 0 to 1048576";
const std::string kInfoLogFaults =
    "glGetShaderiv(GL_COMPILE_STATUS):answer:0;glGetShaderiv(GL_INFO_LOG_LENGTH):answer:";
const char kNotCompiled[] = "glgpu[0].CanCompileProgramGLSL=0";
// The per-device OpenCL code runs only on a GPU.
const std::string kGpu = "clGetDeviceIDs:gpu;";

// One row per case: name, fault, host tester, ending, status, standard error,
// report lines, absent keys (and the OpenCL library where it is not the loader).
// clang-format off
const FaultCase kCases[] = {
    {"NoFaultGivesTheHealthyReport", "", true, kEndsAsHealthy, 0, {}, {}, {}},
    {"CpuAnsweredAsGpuRunsTheDeviceQueries", "clGetDeviceIDs:gpu", true, kEnds, 0, {},
     {"NumCLGPUs=1", "clgpu[0].CUDASupported=0", "clgpu[0].CLCompute=0"}, {}},
    {"ScriptedCudaPlatformVersion",
     kGpu + "clGetPlatformInfo(CL_PLATFORM_VERSION):text:OpenCL 1.1 CUDA 4.2.1", false, kEnds, 0,
     {}, {"clgpu[0].CLPlatformVersion=\"1.1\"", "clgpu[0].CUDASupported=1",
      "clgpu[0].CUDAVersion=\"4.2.1\""}, {}},

    // A single-value query that writes more than one value.
    {"TwoValuesFromEveryIntegerQuery", "glGetIntegerv:values:2", true, kEndsAsHealthy, 0, {}, {},
     {}},
    {"SixteenValuesFromEveryIntegerQuery", "glGetIntegerv:values:16", true, kEndsAsHealthy, 0, {},
     {}, {}},
    {"SixteenValuesFromEveryProgramQuery", "glGetProgramivARB:values:16", true, kEndsAsHealthy, 0,
     {}, {}, {}},
    {"SixtyFourValuesForTheExtensionCount", "glGetIntegerv(GL_NUM_EXTENSIONS):values:64", false,
     kEndsAsHealthy, 0, {}, {}, {}},
    {"SixtyFourValuesForTheTextureBinding", "glGetIntegerv(GL_TEXTURE_BINDING_2D):values:64", false,
     kEndsAsHealthy, 0, {}, {}, {}},
    {"SixtyFourValuesForShaderAndProgramStatus", "glGetShaderiv:values:64;glGetProgramiv:values:64",
     false, kEndsAsHealthy, 0, {}, {}, {}},

    // Extension counts, and the errors reading past the list leaves.
    {"HugeExtensionCountDropsTheGPU", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:2000000000", false,
     kEnds, 2, {"Quelt::LogicalException: glGetIntegerv(GL_NUM_EXTENSIONS) answered 2000000000, "
                "outside 0 to 65536"},
     {"NumGLGPUs=1"}, {"glgpu[0]."}},
    {"NegativeExtensionCountDropsTheGPU", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:-1", false,
     kEnds, 2, {"Quelt::LogicalException: glGetIntegerv(GL_NUM_EXTENSIONS) answered -1, outside 0 "
                "to 65536"},
     {"NumGLGPUs=1"}, {"glgpu[0]."}},
    {"NoExtensionsLeavesTheVersion", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:0", true, kEnds, 0,
     {}, {"glgpu[0].GLVersion=\"3.0\"", "glgpu[0].extension[Quelt::OGL::GL_ARB_VERTEX_PROGRAM]=0"},
     {}},
    {"ErrorsLeftByReadingPastTheListAreNotCharged", "glGetIntegerv(GL_NUM_EXTENSIONS):answer:1000",
     true, kEnds, 0, {}, {"glgpu[0].GLVersion=\"3.0\""}, {}},
    {"ErrorLeftAfterEachExtensionNameIsNotCharged", "glGetStringi:error:GL_INVALID_VALUE", true,
     kEndsAsHealthy, 0, {}, {}, {}},
    {"ErrorThatNeverClearsFailsTheCheckedQuery", "glGetError:answer:GL_INVALID_OPERATION", false,
     kEnds, 2, {kGLError, std::string("exception: ") + kGLError}, {"glgpu[0].GLVersion=\"3.0\""},
     {"glgpu[0].GLName"}},

    // Info logs only go into an error message: a broken length is cut.
    {"HugeShaderLogLengthIsCut", kInfoLogFaults + "2147483647", false, kEnds, 0, {}, {kNotCompiled},
     {}},
    {"NegativeShaderLogLength", kInfoLogFaults + "-1", false, kEnds, 0, {}, {kNotCompiled}, {}},
    {"HugeProgramLogLengthIsCut",
     "glGetProgramiv(GL_LINK_STATUS):answer:0;glGetProgramiv(GL_INFO_LOG_LENGTH):answer:2147483647",
     false, kEnds, 0, {}, {kNotCompiled}, {}},
    {"NoProgramLog",
     "glGetProgramiv(GL_LINK_STATUS):answer:0;glGetProgramiv(GL_INFO_LOG_LENGTH):answer:0", false,
     kEnds, 0, {}, {kNotCompiled}, {}},

    // EGL devices, displays and contexts.
    {"HugeEGLDeviceCountFailsTheOpenGLInitialisation", "eglQueryDevicesEXT:answer:2000000000",
     false, kEnds, 0, {}, {"QueltOGLInitialized=0", "OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"NegativeEGLDeviceCountFailsTheOpenGLInitialisation", "eglQueryDevicesEXT:answer:-1", false,
     kEnds, 0, {}, {"QueltOGLInitialized=0", "OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"NoEGLDevices", "eglQueryDevicesEXT:answer:0", false, kEnds, 0, {},
     {"QueltOGLInitialized=1", "OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"NullClientExtensionsFailTheOpenGLInitialisation", "eglQueryString(EGL_EXTENSIONS):null",
     false, kEnds, 0, {}, {"QueltOGLInitialized=0", "NumGLGPUs=0"}, {}},
    {"NullEGLVersion", "eglQueryString(EGL_VERSION):null", false, kEndsAsHealthy, 0, {}, {}, {}},
    {"FailingDisplayInitialisation", "eglInitialize:fail", false, kEnds, 0, {kNoContext},
     {"OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"FailingContextCreation", "eglCreateContext:fail", false, kEnds, 0, {kNoContext},
     {"OGLContextCreated=0", "NumGLGPUs=0"}, {}},
    {"FailingMakeCurrentDropsTheGPU", "eglMakeCurrent:fail", false, kEnds, 2,
     {"Quelt::LogicalException: cannot make the OpenGL context current: EGL error 0x3000"},
     {"OGLContextCreated=1", "NumGLGPUs=1"}, {"glgpu[0]."}},

    // Null OpenGL texts.
    {"NullRendererIsEmpty", "glGetString(GL_RENDERER):null", false, kEnds, 0, {},
     {"glgpu[0].GLName=\"\"", "glgpu[0].GLRenderer=\"\""}, {}},
    {"NullVersionLeavesNoKnownVersion", "glGetString(GL_VERSION):null", false, kEnds, 2,
     {"exception: Cannot determine OGL version"}, {"NumGLGPUs=1"}, {"glgpu[0]."}},
    {"NullExtensionNames", "glGetStringi:null", true, kEnds, 0, {}, {"glgpu[0].HasGLNPOTSupport=0"},
     {}},

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
    {"NoDevices", kGpu + "clGetDeviceIDs:answer:0", false, kEnds, 0, {}, {"NumCLGPUs=0"}, {}},
    {"DeviceTextSizeOfSizeMaxDropsTheGPU", kGpu + "clGetDeviceInfo(CL_DRIVER_VERSION):answer:-1",
     false, kEnds, 2, {kDriverVersionSize, std::string("exception: ") + kDriverVersionSize},
     {"NumCLGPUs=1"}, {"clgpu[0].CLDriverVersion", "clgpu[0].CLBandwidth"}},
    {"TerabyteDeviceNameDropsTheGPU",
     kGpu + "clGetDeviceInfo(CL_DEVICE_NAME):answer:1099511627776", false, kEnds, 2,
     {"Quelt::LogicalException: clGetDeviceInfo of property 4139 answered 1099511627776, "
      "outside 0 to 1048576"},
     {"NumCLGPUs=1"}, {"clgpu[0].CLName"}},
    {"EmptyDeviceVersion", kGpu + "clGetDeviceInfo(CL_DEVICE_VERSION):answer:0", false, kEnds, 0,
     {}, {"clgpu[0].CLDeviceVersion=\"\""}, {}},
    {"PlatformVersionSizeOfSizeMaxDropsTheGPU",
     kGpu + "clGetPlatformInfo(CL_PLATFORM_VERSION):answer:-1", false, kEnds, 2,
     {"Quelt::LogicalException: clGetPlatformInfo answered 18446744073709551615, outside 0 to "
      "1048576"},
     {"NumCLGPUs=1"}, {"clgpu[0]."}},
    {"UnterminatedDeviceName", kGpu + "clGetDeviceInfo(CL_DEVICE_NAME):unterminated", false, kEnds,
     0, {}, {"NumCLGPUs=1"}, {}},
    {"LoaderWithoutQueueFunctionsStopsTheRunAsAFailingInitialisation", "", false, kStops, 2,
     {"Quelt::LogicalException: libOpenCL.so.1 does not export clCreateCommandQueue: not an "
      "OpenCL loader"},
     {"NumGLGPUs=1"}, {"NumCLGPUs"}, kLoaderWithoutQueues},

    // A driver that crashes or hangs: the lines written before reach the host whole.
    {"CrashInTheRendererQuery", "glGetString(GL_RENDERER):crash", false, kCrashes, -1, {},
     {"glgpu[0].GLVersion=\"3.0\""}, {}},
    {"HangInTheShadingLanguageQuery", "glGetString(GL_SHADING_LANGUAGE_VERSION):hang", true,
     kHangs, -1, {}, {"gputag.GL_SHADING_LANGUAGE_VERSION=35724"}, {}},
};
// clang-format on

std::string WithoutTimes(const std::string& line) {
    const std::string key = KeyOf(line);
    return key == "trovexStart" || key == "trovexEnd" ? key : line;
}

std::vector<std::string> ReportWithoutTimes(const std::string& out) {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(out)) lines.push_back(WithoutTimes(line));
    return lines;
}

// The report of the program on the real drivers alone, once per tester.
const std::vector<std::string>& HealthyReport(bool host) {
    static std::map<bool, std::vector<std::string>> reports;
    if (reports.count(host) == 0) {
        const ProcessResult run =
            RunProcess(TROVEX_BINARY, host ? std::vector<std::string>{"-app=Velmora"}
                                           : std::vector<std::string>{});
        reports[host] = ReportWithoutTimes(run.out);
    }
    return reports[host];
}

ProcessResult RunBehindFakes(const FaultCase& fault) {
    ProcessOptions options;
    const char* opencl =
        fault.opencl == kLoader ? TROVEX_FAKE_OPENCL_DIR : TROVEX_FAKE_OPENCL_WITHOUT_QUEUES_DIR;
    // A sanitizer build would report what the drivers never free.
    options.environment = {std::string("LD_LIBRARY_PATH=") + TROVEX_FAKE_EGL_DIR + ":" + opencl,
                           "TROVEX_DRIVER_FAULT=" + fault.fault, "ASAN_OPTIONS=detect_leaks=0"};
    options.timeLimit = fault.ending == kHangs ? kHangKillSeconds : kTimeLimitSeconds;
    return RunProcess(
        TROVEX_BINARY,
        fault.host ? std::vector<std::string>{"-app=Velmora"} : std::vector<std::string>{},
        options);
}

class DriverFault : public testing::TestWithParam<FaultCase> {};

TEST_P(DriverFault, RunEndsBoundedWithAWellFormedReport) {
    const FaultCase& fault = GetParam();
    const ProcessResult run = RunBehindFakes(fault);
    const std::vector<std::string> lines = Lines(run.out);

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
        EXPECT_EQ(std::vector<std::string>(), LinesWithKeyPrefix(lines, key));
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
            const std::vector<std::string>& healthy = HealthyReport(fault.host);
            ASSERT_LE(lines.size(), healthy.size());
            EXPECT_EQ(std::vector<std::string>(healthy.begin(), healthy.begin() + lines.size()),
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
