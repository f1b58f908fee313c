#include <GL/gl.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "ReferenceReport.h"

// The real program on this machine's drivers: its whole report, line by line,
// against one composed from the pinned order of the lines and the drivers' own
// answers, as the reference program and clinfo get them.
namespace {

const char kCPUAsGPU[] = "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu";

struct Case {
    const char* name;
    std::vector<std::string> arguments, environment;  // the environment of both programs
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// PoCL's CPU device answered as a GPU, so that there are OpenCL lines, and libpci
// unloadable, which changes nothing; the loader alone, which has no GPU; and an
// EGL whose rectangle texture size differs from its texture size, as Mesa's
// does not.
// clang-format off
const Case kCases[] = {
    {"PoclAsGPUWithoutLibpci", {},
     {"LD_LIBRARY_PATH=" TROVEX_WITHOUT_LIBPCI ":" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
    {"HostPoclAsGPU", {"-app=Velmora"}, {"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
    {"HostLoaderAlone", {"-app=Velmora"}, {}},
    {"RectangleOfItsOwn", {}, {"LD_LIBRARY_PATH=" TROVEX_FAKE_EGL_DIR,
     "TROVEX_DRIVER_FAULT=glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB):answer:4096"}},
};
// clang-format on

class ThisMachine : public testing::TestWithParam<Case> {};

TEST_P(ThisMachine, ReportHoldsTheDriversAnswersInThePinnedOrder) {
    const ProcessOptions options{GetParam().environment, 0, ""};
    Answers answers =
        AskDrivers(TROVEX_DRIVER_REFERENCE, TROVEX_PROCESS_DIR "/this-machine.txt", options);
    // The expected report is that of Mesa's software device, which names itself in
    // its renderer; the Windows program (the Wine build of this test) loads no fake.
    if (answers["S" + std::to_string(GL_RENDERER)].compare(0, 8, "llvmpipe") != 0 ||
        (std::string(TROVEX_BINARY).find(".exe") != std::string::npos &&
         !options.environment.empty()))
        GTEST_SKIP() << "these are not the drivers the expected report is made for";
    std::string expected =
        ExpectedRun(ExpectedSteps(answers, !GetParam().arguments.empty()), false, -1);
    // A program that finds no OpenCL writes no OpenCL line: the Wine build of the
    // x86 program (tests/wine/CMakeLists.txt says why).
    if (!TROVEX_PROGRAM_OPENCL)
        expected = std::regex_replace(expected, std::regex(R"(\n(NumCLGPUs=|clgpu\[)[^\n]*)"), "");
    EXPECT_EQ(expected, RunTranscript(TROVEX_BINARY, GetParam().arguments, options));
}

INSTANTIATE_TEST_SUITE_P(Cases, ThisMachine, testing::ValuesIn(kCases));

}  // namespace
