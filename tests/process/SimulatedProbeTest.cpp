#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "ReportGrammar.h"
#include "TempFolder.h"

// The probe over a simulated machine, for what this machine's drivers cannot show.
namespace {

const char* const kTwoGLGPUs =
    "glgpu[0].GLVersion=\"3.0\"\n"
    "glgpu[0].GLRenderer=\"Quoted \\\"Renderer\\\"\"\n"
    "glgpu[0].GLMemoryMB=-1\n"
    "glgpu[0].CanCompileProgramGLSL=1\n"
    "glgpu[1].GLVersion=\"2.1\"\n"
    "glgpu[1].GLRenderer=\"Second\"\n"
    "glgpu[1].GLMemoryMB=512\n"
    "glgpu[1].GLVendorID=4318\n";

class SimulatedProbe : public testing::Test {
protected:
    ProcessResult Run(const std::string& machine, const std::vector<std::string>& arguments) {
        std::string path = folder.Path() + "/machine.txt";
        std::ofstream(path.c_str()) << machine;
        ProcessOptions options;
        options.environment.push_back("TROVEX_SIMULATION=" + path);
        return RunProcess(TROVEX_SIMULATED_BINARY, arguments, options);
    }

    TempFolder folder;
};

}  // namespace

TEST_F(SimulatedProbe, TwoOpenGLGPUsArePropertyMajorWithValuesAsTheHostReadsThem) {
    ProcessResult r = Run(kTwoGLGPUs, {});
    std::vector<std::string> lines = Lines(r.out);
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    std::vector<std::string> keys = KeysWithPrefix(lines, "glgpu[");
    ASSERT_EQ(28u, keys.size());
    EXPECT_EQ("glgpu[0].GLVersion", keys[0]);
    EXPECT_EQ("glgpu[1].GLVersion", keys[1]);
    EXPECT_EQ("glgpu[0].GLName", keys[2]);
    EXPECT_EQ("glgpu[1].GLFrameBufferOK", keys[27]);
    EXPECT_EQ("NumGLGPUs=2", LinesWithKeyPrefix(lines, "NumGLGPUs")[0]);
    EXPECT_EQ("glgpu[0].GLMemoryMB=4294967295",
              LinesWithKeyPrefix(lines, "glgpu[0].GLMemoryMB")[0]);
    EXPECT_EQ("glgpu[0].GLRenderer=\"Quoted \"Renderer\"\"",
              LinesWithKeyPrefix(lines, "glgpu[0].GLRenderer")[0]);
    EXPECT_EQ("glgpu[1].GLVendorID=4318", LinesWithKeyPrefix(lines, "glgpu[1].GLVendorID")[0]);
    EXPECT_EQ("glgpu[0].CanCompileProgramGLSL=1",
              LinesWithKeyPrefix(lines, "glgpu[0].CanCompileProgramGLSL")[0]);
    EXPECT_EQ(0u, lines.back().find("trovexEnd="));
    EXPECT_EQ(0, r.status);
}

TEST_F(SimulatedProbe, ThrowAfterSixDropsTheFirstGPUAfterItsFirstLine) {
    ProcessResult r = Run(kTwoGLGPUs, {"-throwAfter=6"});
    std::vector<std::string> keys = KeysWithPrefix(Lines(r.out), "glgpu[");
    ASSERT_EQ(15u, keys.size());
    EXPECT_EQ("glgpu[0].GLVersion", keys[0]);
    EXPECT_EQ(14u, KeysWithPrefix(Lines(r.out), "glgpu[1].").size());
    EXPECT_EQ("exception: Programmed throw\n", r.err);
    EXPECT_EQ(0u, Lines(r.out).back().find("trovexEnd="));
    EXPECT_EQ(2, r.status);
}

TEST_F(SimulatedProbe, AGPUWhoseThirdQueryRaisesKeepsItsFirstTwoLinesOnly) {
    ProcessResult r = Run(std::string(kTwoGLGPUs) + "simulate.raise=[\"glgpu[0].GLMemoryMB\"]\n",
                          {"-app=Velmora"});
    std::vector<std::string> lines = Lines(r.out);
    EXPECT_EQ((std::vector<std::string>{"glgpu[0].GLVersion", "glgpu[0].GLName"}),
              KeysWithPrefix(lines, "glgpu[0]."));
    // The other GPU gets its fourteen properties; the host's queries then find
    // no tables in the description, which drops it at its first query.
    EXPECT_EQ(14u, KeysWithPrefix(lines, "glgpu[1].").size());
    EXPECT_EQ("exception: simulated failure\n", r.err.substr(0, r.err.find('\n') + 1));
    EXPECT_EQ(2, r.status);
}

TEST_F(SimulatedProbe, OpenCLGPUsWithAndWithoutCUDA) {
    const char* machine =
        "clgpu[0].CLPlatformVersion=\"1.1\"\n"
        "clgpu[0].CUDASupported=1\n"
        "clgpu[0].CUDAVersion=\"4.2.1\"\n"
        "clgpu[0].CLMemoryMB=1536\n"
        "clgpu[1].CLPlatformVersion=\"1.2 (Build 56)\"\n"
        "clgpu[1].CUDASupported=0\n"
        "clgpu[1].CLBandwidth=2.5\n";
    ProcessResult r = Run(machine, {"-app=Velmora"});
    std::vector<std::string> lines = Lines(r.out);
    std::vector<std::string> keys = KeysWithPrefix(lines, "clgpu[");
    ASSERT_EQ(21u, keys.size()) << r.out;
    EXPECT_EQ((std::vector<std::string>{"clgpu[0].CLPlatformVersion", "clgpu[1].CLPlatformVersion",
                                        "clgpu[0].CLDeviceVersion", "clgpu[1].CLDeviceVersion"}),
              std::vector<std::string>(keys.begin(), keys.begin() + 4));
    EXPECT_EQ("NumCLGPUs=2", LinesWithKeyPrefix(lines, "NumCLGPUs")[0]);
    EXPECT_EQ((std::vector<std::string>{"clgpu[0].CUDAVersion=\"4.2.1\""}),
              LinesWithKeyPrefix(lines, "clgpu[0].CUDAVersion"));
    EXPECT_TRUE(LinesWithKeyPrefix(lines, "clgpu[1].CUDAVersion").empty());
    EXPECT_EQ("clgpu[1].CUDASupported=0", LinesWithKeyPrefix(lines, "clgpu[1].CUDASupported")[0]);
    EXPECT_EQ("clgpu[1].CLBandwidth=2.5", LinesWithKeyPrefix(lines, "clgpu[1].CLBandwidth")[0]);
    EXPECT_EQ("clgpu[0].CLCompute=0", LinesWithKeyPrefix(lines, "clgpu[0].CLCompute")[0]);
    EXPECT_EQ(0, r.status);
}

TEST_F(SimulatedProbe, EnumerationThrowingEndsTheRunWithoutTheEndLine) {
    ProcessResult r = Run("simulate.enumeration=\"std\"\n", {});
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(4u, lines.size()) << r.out;
    EXPECT_EQ("OGLContextCreated=1", lines.back());
    EXPECT_EQ("exception: simulated enumeration failure\n", r.err);
    EXPECT_EQ(2, r.status);
}

TEST_F(SimulatedProbe, LogicalExceptionWithoutMessageReachesTheEntryPoint) {
    ProcessResult r = Run("simulate.enumeration=\"logical\"\n", {"-exit=9"});
    EXPECT_EQ("Quelt::LogicalException: <NULL>\n", r.err);
    EXPECT_EQ(std::string::npos, r.out.find("trovexEnd"));
    EXPECT_EQ(9, r.status);
    EXPECT_EQ(2, Run("simulate.enumeration=\"logical\"\n", {}).status);
}

TEST_F(SimulatedProbe, NoGPUsGivesCountsOfZero) {
    ProcessResult r = Run("", {});
    std::vector<std::string> lines = Lines(r.out);
    EXPECT_EQ("NumGLGPUs=0", LinesWithKeyPrefix(lines, "NumGLGPUs")[0]);
    EXPECT_TRUE(LinesWithKeyPrefix(lines, "glgpu").empty());
    EXPECT_EQ(0, r.status);
}

// The report of this machine, replayed as a simulated machine, gives the same
// GPU lines: what the probe writes, the reader reads back unchanged.
TEST_F(SimulatedProbe, ThisMachinesReportReplaysToTheSameGPULines) {
    ProcessResult real = RunProcess(TROVEX_BINARY, {"-app=Velmora"});
    ASSERT_EQ(0, real.status);
    ProcessResult replay = Run(real.out, {"-app=Velmora"});
    EXPECT_EQ(LinesWithKeyPrefix(Lines(real.out), "glgpu"),
              LinesWithKeyPrefix(Lines(replay.out), "glgpu"));
    EXPECT_EQ(LinesWithKeyPrefix(Lines(real.out), "gputag"),
              LinesWithKeyPrefix(Lines(replay.out), "gputag"));
    EXPECT_EQ("", replay.err);
    EXPECT_EQ(0, replay.status);
}
