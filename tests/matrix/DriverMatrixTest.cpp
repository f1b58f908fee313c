#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "ReferenceReport.h"
#include "TempFolder.h"

// The packaged programs in the roots of Debian 11, 12 and 13, on every software
// driver that works there. The report, plain and the host's, holds what the
// reference program and clinfo get from the same drivers, in the pinned order;
// the hooks cut it where the model of the run's steps says; the report tool
// reads it back. A driver that ends the process is a case of its own, its
// outcome pinned: the lines before it whole, no trovexEnd, the signal. CTest
// runs the cases of each release inside its root (run-in-root), by name.
namespace {

typedef std::vector<std::string> Texts;

Texts operator+(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Mesa picks its Gallium driver by GALLIUM_DRIVER, llvmpipe without; zink runs
// over lavapipe. PoCL's CPU device is answered as a GPU by the fake OpenCL
// library; rusticl's llvmpipe device is made a GPU.
const Texts kLlvmpipe{};
const Texts kSoftpipe{"GALLIUM_DRIVER=softpipe"};
const Texts kZink{"GALLIUM_DRIVER=zink", "LIBGL_ALWAYS_SOFTWARE=1"};
const Texts kPoclAsGPU{"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR,
                       "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"};
const Texts kRusticl{"RUSTICL_ENABLE=llvmpipe", "RUSTICL_DEVICE_TYPE=gpu"};

struct Case {
    const char* release;  // the root's Debian release, by its code name
    const char* drivers;
    Texts environment;  // of the probe and the reference programs
    // For a driver that ends the process: the key of the first line it keeps
    // from the report, and the signal.
    const char* diesBefore;
    int signal;
};

// clang-format off
const Case kCases[] = {
    {"bullseye", "llvmpipe_PoCL", kLlvmpipe + kPoclAsGPU, nullptr, 0},
    {"bullseye", "softpipe_PoCL", kSoftpipe + kPoclAsGPU, nullptr, 0},
    // Mesa 20.3's zink dies in lavapipe while the first context is made.
    {"bullseye", "zink_PoCL", kZink + kPoclAsGPU, "OGLContextCreated", SIGSEGV},
    {"bookworm", "llvmpipe_PoCL", kLlvmpipe + kPoclAsGPU, nullptr, 0},
    {"bookworm", "softpipe_PoCL", kSoftpipe + kPoclAsGPU, nullptr, 0},
    {"bookworm", "zink_PoCL", kZink + kPoclAsGPU, nullptr, 0},
    {"trixie", "llvmpipe_PoCL", kLlvmpipe + kPoclAsGPU, nullptr, 0},
    {"trixie", "softpipe_PoCL", kSoftpipe + kPoclAsGPU, nullptr, 0},
    {"trixie", "zink_PoCL", kZink + kPoclAsGPU, nullptr, 0},
    {"trixie", "llvmpipe_rusticl", kLlvmpipe + kRusticl, nullptr, 0},
    // rusticl on softpipe, which lacks compute, panics in clGetPlatformIDs.
    {"trixie", "softpipe_rusticl", kSoftpipe + kRusticl, "NumCLGPUs", SIGABRT},
};
// clang-format on

// Every so many step indices of each hook and tester run, from an offset that
// differs between cases, so that the matrix as a whole reaches every index.
const int kSweepStride = 7;

const std::string kProbe = TROVEX_PACKAGED_BIN "/GPUTrovex";
const std::string kReportTool = TROVEX_PACKAGED_BIN "/trovex-report";

std::string Out(const std::string& transcript) {
    return transcript.substr(0, transcript.find("-- stderr\n"));
}

// What the report tool prints of a report: its record lines.
std::string Records(const std::string& path, const std::string& report) {
    static const std::regex records(R"((Tester=|Num|glgpu\[|clgpu\[|gputag\.).*)");
    std::string printed = "# " + path + "\n";
    for (const std::string& line : Lines(report))
        printed += std::regex_match(line, records) ? line + "\n" : "";
    return printed;
}

class DriverMatrix : public testing::TestWithParam<size_t> {};

TEST_P(DriverMatrix, ReportHoldsTheDriversAnswers) {
    const Case& c = kCases[GetParam()];
    ASSERT_NE(std::string::npos,
              ReadFile("/etc/os-release").find(std::string("VERSION_CODENAME=") + c.release + "\n"))
        << "the case runs in another release's root";
    const ProcessOptions options{c.environment, 0, ""};
    const Answers answers =
        AskDrivers(TROVEX_DRIVER_REFERENCE, TROVEX_PROCESS_DIR "/this-machine.txt", options);
    for (bool host : {false, true}) {
        SCOPED_TRACE(host ? "-app=Velmora" : "plain");
        const std::vector<ReportStep> steps = ExpectedSteps(answers, host);
        const Texts arguments{host ? "-app=Velmora" : "-app="};
        const std::string full = ExpectedRun(steps, false, -1);
        const std::string transcript = RunTranscript(kProbe, arguments, options);
        if (c.diesBefore != nullptr) {
            // What the dying driver prints (rusticl complains on standard output)
            // goes to standard error, which is its own.
            const std::string out = Out(full);
            const size_t cut = out.find("\n" + std::string(c.diesBefore) + "=");
            ASSERT_NE(std::string::npos, cut) << out;
            EXPECT_EQ(out.substr(0, cut + 1) + "-- signal " + std::to_string(c.signal) + "\n",
                      Out(transcript) + transcript.substr(transcript.rfind("\n-- ") + 1));
            continue;
        }
        EXPECT_EQ(full, transcript);

        TempFolder folder;
        const std::string path = folder.Path() + "/report.txt";
        std::ofstream(path, std::ios::binary) << Out(transcript);
        EXPECT_EQ(Transcript(Records(path, Out(transcript)), "", 0),
                  RunTranscript(kReportTool, {path}));

        int indices = 0;
        for (const ReportStep& step : steps) indices += step.kind != kNoIndex;
        for (int n = GetParam() % kSweepStride; n <= indices; n += kSweepStride) {
            for (const bool failAfter : {true, false}) {
                const std::string hook =
                    (failAfter ? "-failAfter=" : "-throwAfter=") + std::to_string(n);
                EXPECT_EQ(ExpectedRun(steps, failAfter, n),
                          RunTranscript(kProbe, {hook, arguments[0]}, options))
                    << hook;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Roots, DriverMatrix, testing::Range<size_t>(0, std::size(kCases)),
                         [](const testing::TestParamInfo<size_t>& info) {
                             return std::string(kCases[info.param].release) + "_" +
                                    kCases[info.param].drivers;
                         });

}  // namespace
