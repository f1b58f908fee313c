#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "ReportGrammar.h"

// The real program on this machine's real drivers.
namespace {

ProcessResult Trovex(const std::vector<std::string>& arguments) {
    return RunProcess(TROVEX_BINARY, arguments);
}

const char* const kGLProperties[] = {
    "GLVersion",
    "GLName",
    "GLMemoryMB",
    "GLVendor",
    "GLVendorID",
    "GLDriverVersion",
    "GLRectTextureSize",
    "GLRenderer",
    "GLRendererID",
    "HasGLNPOTSupport",
    "GLDriver",
    "GLDriverDate",
    "CanCompileProgramGLSL",
    "GLFrameBufferOK",
};

int CountOf(const std::vector<std::string>& lines, const std::string& key) {
    const std::string value = ValueOf(lines, key);
    return value.empty() || value[0] == '<' ? -1 : std::stoi(value);
}

}  // namespace

TEST(Probe, PlainRunIsWellFramedAndEveryLineParses) {
    ProcessResult r = Trovex({});
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_GE(lines.size(), 6u) << r.out;
    EXPECT_EQ(0u, lines.front().find("trovexStart=\""));
    EXPECT_EQ(0u, lines.back().find("trovexEnd=\""));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    EXPECT_EQ("QueltCoreInitialized=1", lines[1]);
    EXPECT_EQ("QueltOGLInitialized=1", lines[2]);
    EXPECT_EQ("OGLContextCreated=1", lines[3]);
    EXPECT_EQ("", r.err);
    EXPECT_EQ(0, r.status);
    EXPECT_TRUE(LinesWithKeyPrefix(lines, "gputag").empty());
}

TEST(Probe, OpenGLPropertiesComeInTableOrderForEveryGPU) {
    std::vector<std::string> lines = Lines(Trovex({}).out);
    int gpus = CountOf(lines, "NumGLGPUs");
    ASSERT_GE(gpus, 1);
    std::vector<std::string> glLines = LinesWithKeyPrefix(lines, "glgpu[");
    ASSERT_EQ(14u * gpus, glLines.size());
    size_t i = 0;
    for (const char* property : kGLProperties)
        for (int gpu = 0; gpu < gpus; ++gpu, ++i)
            EXPECT_EQ("glgpu[" + std::to_string(gpu) + "]." + property, KeyOf(glLines[i]));
    EXPECT_EQ("glgpu[0].CanCompileProgramGLSL=1", LinesWithKeyPrefix(lines, "glgpu[0].Can")[0]);
    EXPECT_EQ("glgpu[0].GLFrameBufferOK=1", LinesWithKeyPrefix(lines, "glgpu[0].GLFrame")[0]);
}

TEST(Probe, HostTesterAddsItsLineAndFortyThreeQueryLinesPerOpenGLGPU) {
    ProcessResult r = Trovex({"-app=Velmora"});
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("Tester=\"Velmora\"", lines[0]);
    EXPECT_EQ(0u, lines[1].find("trovexStart="));
    EXPECT_EQ(0u, lines.back().find("trovexEnd="));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    int gpus = CountOf(lines, "NumGLGPUs");
    size_t queryLines = 0;
    for (const std::string& line : lines)
        if (line.find("gputag.") == 0 || line.find(".glGet") != std::string::npos ||
            line.find(".extension[") != std::string::npos)
            ++queryLines;
    EXPECT_EQ(43u * gpus, queryLines);
    size_t computeLines = 0;
    for (const std::string& line : lines)
        if (line.find(".CLCompute=") != std::string::npos) ++computeLines;
    EXPECT_EQ(static_cast<size_t>(std::max(CountOf(lines, "NumCLGPUs"), 0)), computeLines);
    EXPECT_EQ(0, r.status);
}

TEST(Probe, VerboseInterleavesMarkedLogLines) {
    ProcessResult r = Trovex({"-verbose"});
    std::vector<std::string> lines = Lines(r.out);
    const std::regex logLine(std::string(kLogLinePattern) + ".*");
    size_t logLines = 0;
    for (const std::string& line : lines) {
        if (line.compare(0, 2, "# ") == 0) {
            EXPECT_TRUE(std::regex_match(line, logLine)) << line;
            ++logLines;
        } else {
            EXPECT_TRUE(IsReportLine(line)) << line;
        }
    }
    EXPECT_GE(logLines, 1u);
    EXPECT_NE(std::string::npos, r.out.find("# 00000."));
    EXPECT_EQ(0, r.status);
}

TEST(Probe, FailAfterZeroFailsTheFirstStepBeforeAnyLine) {
    ProcessResult r = Trovex({"-failAfter=0", "-hang=2"});
    EXPECT_EQ("", r.out);
    EXPECT_EQ("exception: programmed failure\n", r.err);
    EXPECT_EQ(2, r.status);
    EXPECT_LT(r.seconds, 1.5);
    EXPECT_EQ(0, Trovex({"-failAfter=0", "-exit=0"}).status);
}

TEST(Probe, FailAfterSixDropsTheGPUAfterItsFirstLineAndEndsAtTheNextTopLevelStep) {
    ProcessResult r = Trovex({"-failAfter=6"});
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(1, CountOf(lines, "NumGLGPUs")) << "this machine has one OpenGL GPU";
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ("glgpu[0].GLVersion", KeyOf(lines[5]));
    EXPECT_EQ(7u, lines.size()) << r.out;
    EXPECT_EQ("NumCLGPUs", KeyOf(lines[6]));
    EXPECT_EQ("exception: programmed failure\nexception: programmed failure\n", r.err);
    EXPECT_EQ(2, r.status);
}

TEST(Probe, ThrowAfterOneEndsTheRunAfterTheStartLine) {
    ProcessResult r = Trovex({"-throwAfter=1"});
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(1u, lines.size()) << r.out;
    EXPECT_EQ(0u, lines[0].find("trovexStart="));
    EXPECT_EQ("exception: Programmed throw\n", r.err);
    EXPECT_EQ(2, r.status);
}

// libpci is opened at run time: where it cannot be loaded the program still
// starts and writes the same report, but for the times.
TEST(Probe, WithoutLibpciTheReportIsTheSame) {
    ProcessOptions options;
    options.environment.push_back("LD_LIBRARY_PATH=" TROVEX_WITHOUT_LIBPCI);
    ProcessResult without = RunProcess(TROVEX_BINARY, {"-app=Velmora"}, options);
    ProcessResult with = Trovex({"-app=Velmora"});
    const std::regex times("(trovexStart|trovexEnd)=\"[^\"]*\"");
    EXPECT_EQ(std::regex_replace(with.out, times, "$1"),
              std::regex_replace(without.out, times, "$1"));
    EXPECT_NE(std::string::npos, without.out.find("trovexEnd=")) << without.out;
    EXPECT_EQ("", without.err);
    EXPECT_EQ(0, without.status);
}
