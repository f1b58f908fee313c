#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "ReportModel.h"
#include "TempFolder.h"

// The report tool over the pinned reports of the simulated machine and over this
// machine's report: what it prints of a report's records must be that report's
// own GPU lines, byte for byte.
namespace {

struct Case {
    const char* name;
    // Each a file: "pinned:NAME" the standard output of the simulated machine's
    // expected transcript NAME; "probe" this machine's host report, with PoCL's
    // device answered as a GPU; "text:TEXT"; "missing"; "folder".
    std::vector<std::string> files;
    std::vector<std::string> options;
    int status;
    std::string err;  // with FILE0, FILE1 ... for the paths of the files
    const char* outputFile = nullptr;
};

const char kUsage[] = "usage: trovex-report [--json] FILE...\n";

// A host report whose one OpenGL GPU answers the first host query only, with texts
// that JSON must escape: a tab, a backslash, quotes, a Latin-1 byte and UTF-8.
const char kEscapes[] =
    "text:Tester=\"Velmora\"\n"
    "glgpu[0].GLRenderer=\"tab\there \\\\ back \\\"q\\\" \xe9 \xe2\x9c\x93\"\n"
    "glgpu[0].GLMemoryMB=-1\n"
    "glgpu[0].HasGLNPOTSupport=1\n"
    "gputag.GL_SHADING_LANGUAGE_VERSION=35724\n"
    "glgpu[0].glGetString[GL_SHADING_LANGUAGE_VERSION]=\"4.50\"\n"
    "clgpu[0].CLBandwidth=1e999\n"
    "clgpu[0].CLCompute=2.5\n";

const char kJsonCheck[] = R"(
import json, sys
d = json.loads(sys.argv[1])
assert len(d) == 1 and d[0]['file'] == sys.argv[2], d
g, c = d[0]['glgpu'][0], d[0]['clgpu'][0]
assert g['GLRenderer'] == 'tab\there \\ back "q" \u00e9 \u2713', g['GLRenderer']
assert g['GLMemoryMB'] == 4294967295 and g['HasGLNPOTSupport'] is True, g
assert g['glGetString'] == {'GL_SHADING_LANGUAGE_VERSION': '4.50'}, g
assert 'glGetProgramivARB' not in g and 'extension' not in g, g
assert c['CLBandwidth'] is None and c['CLCompute'] == 2.5, c
)";

const Case kCases[] = {
    {"PinnedReportsOfBothTesters", {"pinned:two-of-each", "pinned:two-of-each.host"}, {}, 0, ""},
    {"ThisMachinesHostReport", {"probe"}, {}, 0, ""},
    {"BrokenReportGivesTheReadersLineAndStatus1",
     {"text:glgpu[0].GLName=\"n\"\nglgpu[0].NoSuchName=1\n", "pinned:two-of-each.host"},
     {},
     1,
     "DataItemGPU: no such member\n"
     "trovex-report: FILE0: the reader cannot read this report\n"},
    {"FilesThatCannotBeReadGiveStatus2",
     {"missing", "folder", "text:glgpu[0].GLName=1\n"},
     {},
     2,
     "trovex-report: cannot open FILE0: No such file or directory\n"
     "trovex-report: cannot read FILE1: Is a directory\n"},
    {"JsonEscapesTextsAndLeavesOutWhatARecordCannotAnswer",
     {kEscapes},
     {"--json"},
     0,
     "GLGetProgramivARB target never set\n"
     "trovex-report: FILE0: glgpu[0] failed a query and has no later lines\n"},
    {"NoFileIsAUsageError", {}, {"--json"}, 2, kUsage},
    {"UnknownOptionIsAUsageError",
     {"text:"},
     {"--xml"},
     2,
     std::string("trovex-report: unknown option --xml\n") + kUsage},
    {"OutputThatCannotBeWrittenIsNoSuccess",
     {"pinned:two-of-each"},
     {},
     2,
     "trovex-report: cannot write the output: No space left on device\n",
     "/dev/full"},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// The lines of a report the tool must give back unchanged.
std::vector<std::string> GPULines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        for (const std::string prefix : {"Tester=", "NumGLGPUs=", "glgpu[", "clgpu[", "gputag."})
            if (line.compare(0, prefix.size(), prefix) == 0) kept.push_back(line);
    return kept;
}

// The tool's lines for one file: from its "# path" line to the next comment line.
std::vector<std::string> Block(const std::vector<std::string>& lines, const std::string& path) {
    auto start = std::find(lines.begin(), lines.end(), "# " + path);
    if (start == lines.end()) return {};
    auto end = std::find_if(++start, lines.end(),
                            [](const std::string& line) { return line.compare(0, 2, "# ") == 0; });
    return std::vector<std::string>(start, end);
}

class ReportTool : public testing::TestWithParam<Case> {
protected:
    // Makes the file; report is the text of a pinned or probed one.
    std::string Prepare(const std::string& file, size_t index, std::string& report) {
        const std::string path = folder.Path() + "/report" + std::to_string(index) + ".txt";
        if (file == "folder") return folder.Path();
        if (file == "missing") return path;
        std::string text = file.substr(file.find(':') + 1);
        if (file.compare(0, 7, "pinned:") == 0) {
            report = ReadFile(TROVEX_SIMULATED_DIR "/expected/" + text + ".txt");
            text = report = report.substr(0, report.find("-- stderr\n"));
        } else if (file == "probe") {
            ProcessOptions options;
            options.environment = {"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR,
                                   "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"};
            text = report = RunProcess(TROVEX_BINARY, {"-app=Velmora"}, options).out;
            EXPECT_NE(std::string::npos, report.find("\nclgpu[0].")) << report;
        }
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    TempFolder folder;
};

TEST_P(ReportTool, GivesBackTheRecordsOfEveryReport) {
    const Case& c = GetParam();
    std::vector<std::string> arguments = c.options, reports(c.files.size());
    std::string err = c.err;
    for (size_t i = 0; i < c.files.size(); ++i) {
        arguments.push_back(Prepare(c.files[i], i, reports[i]));
        for (size_t at; (at = err.find("FILE" + std::to_string(i))) != std::string::npos;)
            err.replace(at, 5, arguments.back());
    }
    ProcessOptions options;
    if (c.outputFile != nullptr) options.outputFile = c.outputFile;
    const ProcessResult r = RunProcess(TROVEX_REPORT_TOOL, arguments, options);
    EXPECT_EQ(c.status, r.status);
    EXPECT_EQ(err, r.err);
    const std::vector<std::string> lines = Lines(r.out);
    // A pinned or probed report comes back whole.
    for (size_t i = 0; i < reports.size() && c.outputFile == nullptr; ++i) {
        const std::string& path = arguments[c.options.size() + i];
        if (reports[i].empty()) continue;
        EXPECT_EQ(GPULines(Lines(reports[i])), GPULines(Block(lines, path))) << path;
    }
    if (c.options == std::vector<std::string>{"--json"} && !c.files.empty()) {
        if (std::string(TROVEX_PYTHON).empty()) GTEST_SKIP() << "no python3 to read the JSON";
        const ProcessResult check =
            RunProcess(TROVEX_PYTHON, {"-c", kJsonCheck, r.out, arguments[1]});
        EXPECT_EQ(Transcript("", "", 0), Transcript(check.out, check.err, check.status));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportTool, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
