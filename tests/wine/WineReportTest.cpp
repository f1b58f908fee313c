#include <map>
#include <string>
#include <vector>

#include "ReportGrammar.h"
#include "WineProgram.h"

// The reports of the Windows program on Wine's WGL, WMI, DXGI and Direct3D 9.
namespace {

class WineReport : public WineProgram {
protected:
    // Each report is taken once and serves every case that reads it; argument is
    // the one command-line argument, or empty for none.
    static const ProcessResult& Windows(const std::string& argument) {
        static std::map<std::string, ProcessResult> reports;
        auto found = reports.find(argument);
        if (found == reports.end())
            found = reports.emplace(argument, RunWindows(Arguments(argument))).first;
        return found->second;
    }

    static std::vector<std::string> LinuxLines(const std::string& argument) {
        return Lines(RunLinux(Arguments(argument)).out);
    }

private:
    static std::vector<std::string> Arguments(const std::string& argument) {
        return argument.empty() ? std::vector<std::string>() : std::vector<std::string>{argument};
    }
};

}  // namespace

TEST_F(WineReport, PlainReportIsWellFramedInCRLFLinesAndAsCompleteAsOnLinux) {
    const ProcessResult& r = Windows("");
    EXPECT_NE(std::string::npos, r.out.find("\r\n"));
    EXPECT_TRUE(EndsLinesWithCRLF(r.out)) << r.out;
    std::vector<std::string> lines = Lines(WithLineFeeds(r.out));
    ASSERT_GE(lines.size(), 6u) << r.out << r.err;
    EXPECT_EQ(0u, lines.front().find("trovexStart=\""));
    EXPECT_EQ(0u, lines.back().find("trovexEnd=\""));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    EXPECT_EQ("QueltCoreInitialized=1", lines[1]);
    EXPECT_EQ("QueltOGLInitialized=1", lines[2]);
    EXPECT_EQ("OGLContextCreated=1", lines[3]);
    EXPECT_EQ("1", ValueOf(lines, "NumGLGPUs"));
    EXPECT_EQ(KeysWithPrefix(LinuxLines(""), "glgpu[0]."), KeysWithPrefix(lines, "glgpu[0]."));
    EXPECT_EQ("", r.err);
    EXPECT_EQ(0, r.status);
}

TEST_F(WineReport, HostReportAsksTheSameQueriesAsOnLinux) {
    const ProcessResult& r = Windows("-app=Velmora");
    EXPECT_TRUE(EndsLinesWithCRLF(r.out)) << r.out;
    std::vector<std::string> lines = Lines(WithLineFeeds(r.out));
    ASSERT_GE(lines.size(), 7u) << r.out << r.err;
    EXPECT_EQ("Tester=\"Velmora\"", lines[0]);
    EXPECT_EQ(0u, lines[1].find("trovexStart=\""));
    EXPECT_EQ(0u, lines.back().find("trovexEnd=\""));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line)) << line;
    std::vector<std::string> onLinux = LinuxLines("-app=Velmora");
    EXPECT_EQ(KeysWithPrefix(onLinux, "glgpu[0]."), KeysWithPrefix(lines, "glgpu[0]."));
    EXPECT_EQ(KeysWithPrefix(onLinux, "gputag."), KeysWithPrefix(lines, "gputag."));
    EXPECT_EQ("", r.err);
    EXPECT_EQ(0, r.status);
}

// Wine's WMI names its adapter differently from its display device, so the
// unmatched fallback record is what runs there; where the names meet, the
// record carries Wine's Win32_VideoController answers instead. Either way the
// answers come from one source: a mix fails.
TEST_F(WineReport, AdapterAnswersAreWinesVideoControllerOrTheFallback) {
    std::vector<std::string> lines = Lines(WithLineFeeds(Windows("").out));
    if (ValueOf(lines, "glgpu[0].GLDriver") == "\"?\"") {
        EXPECT_EQ("\"?\"", ValueOf(lines, "glgpu[0].GLDriverVersion"));
        EXPECT_EQ("\"?\"", ValueOf(lines, "glgpu[0].GLDriverDate"));
        EXPECT_EQ("0", ValueOf(lines, "glgpu[0].GLVendorID"));
        EXPECT_EQ("0", ValueOf(lines, "glgpu[0].GLRendererID"));
        EXPECT_EQ("0", ValueOf(lines, "glgpu[0].GLMemoryMB"));
    } else {
        EXPECT_EQ("\"nvd3dum.dll\"", ValueOf(lines, "glgpu[0].GLDriver"));
        EXPECT_EQ("\"30.0.14023.3004\"", ValueOf(lines, "glgpu[0].GLDriverVersion"));
        EXPECT_EQ("\"20220118000000.000000-000\"", ValueOf(lines, "glgpu[0].GLDriverDate"));
        EXPECT_NE("0", ValueOf(lines, "glgpu[0].GLVendorID"));
        EXPECT_NE("0", ValueOf(lines, "glgpu[0].GLRendererID"));
    }
}
