#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "ReportGrammar.h"
#include "TempFolder.h"

// The report tool over reports the probe writes here: what it prints of a report's
// records must be that report's own GPU lines, byte for byte.
namespace {

enum SourceKind {
    kProbe,          // this machine's report
    kSimulated,      // the report of the simulated machine that text describes
    kSimulatedHost,  // the same, where every OpenGL GPU has this machine's host answers
    kText,           // a file holding text
    kMissing,        // a file that does not exist
    kFolder,         // a folder
};

struct Source {
    SourceKind kind;
    std::vector<std::string> arguments;  // the probe's
    std::string text;
    std::vector<std::string> environment;  // the probe's
};

struct Case {
    const char* name;
    std::vector<Source> files;
    std::vector<std::string> options;
    int status;
    // Standard error, with FILE0, FILE1 ... for the paths of the files.
    std::string err;
    const char* outputFile;
};

const char kUsage[] = "usage: trovex-report [--json] FILE...\n";

// Two GPUs of each kind whose values take every value form; texts without inner
// quotes, which the reader would end a text at.
const char kTwoOfEach[] =
    "glgpu[0].GLVersion=\"3.0\"\n"
    "glgpu[0].GLRenderer=\"First = GPU (rev. 2), [x]\"\n"
    "glgpu[0].GLMemoryMB=-1\n"
    "glgpu[0].CanCompileProgramGLSL=1\n"
    "glgpu[1].GLVersion=\"2.1\"\n"
    "glgpu[1].GLRenderer=\"Second\"\n"
    "glgpu[1].GLMemoryMB=512\n"
    "glgpu[1].GLVendorID=4318\n"
    "clgpu[0].CLPlatformVersion=\"1.1\"\n"
    "clgpu[0].CUDASupported=1\n"
    "clgpu[0].CUDAVersion=\"4.2.1\"\n"
    "clgpu[0].CLMemoryMB=1536\n"
    "clgpu[0].CLCompute=1500000\n"
    "clgpu[1].CLPlatformVersion=\"1.2 (Build 56)\"\n"
    "clgpu[1].CUDASupported=1\n"
    "clgpu[1].CLBandwidth=2.5\n";

// A host report whose one OpenGL GPU answers the first host query only, with texts
// that JSON must escape: a tab, a backslash, quotes, a Latin-1 byte and UTF-8.
const char kEscapes[] =
    "Tester=\"Velmora\"\n"
    "glgpu[0].GLRenderer=\"tab\there \\\\ back \\\"q\\\" \xe9 \xe2\x9c\x93\"\n"
    "glgpu[0].GLMemoryMB=-1\n"
    "glgpu[0].HasGLNPOTSupport=1\n"
    "gputag.GL_SHADING_LANGUAGE_VERSION=35724\n"
    "glgpu[0].glGetString[GL_SHADING_LANGUAGE_VERSION]=\"4.50\"\n"
    "clgpu[0].CLBandwidth=1e999\n"
    "clgpu[0].CLCompute=2.5\n";

const char kJsonCheck[] = R"(
import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
assert len(d) == 1 and d[0]['file'] == sys.argv[2], d
g, c = d[0]['glgpu'][0], d[0]['clgpu'][0]
assert g['GLRenderer'] == 'tab\there \\ back "q" \u00e9 \u2713', g['GLRenderer']
assert g['GLMemoryMB'] == 4294967295 and g['HasGLNPOTSupport'] is True, g
assert g['glGetString'] == {'GL_SHADING_LANGUAGE_VERSION': '4.50'}, g
assert 'glGetProgramivARB' not in g and 'extension' not in g, g
assert c['CLBandwidth'] is None and c['CLCompute'] == 2.5, c
)";

const Case kCases[] = {
    {"ThisMachinePlainAndHostReportsInOneRun",
     {{kProbe, {}, "", {}}, {kProbe, {"-app=Velmora"}, "", {}}},
     {},
     0,
     "",
     nullptr},
    {"ThisMachineWithPoclsDeviceAnsweredAsAGPU",
     {{kProbe,
       {"-app=Velmora"},
       "",
       {"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR, "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"}}},
     {},
     0,
     "",
     nullptr},
    {"SimulatedTwoGPUsOfEachKind", {{kSimulated, {}, kTwoOfEach, {}}}, {}, 0, "", nullptr},
    {"SimulatedTwoGPUsOfEachKindForTheHost",
     {{kSimulatedHost, {"-app=Velmora"}, kTwoOfEach, {}}},
     {},
     0,
     "",
     nullptr},
    {"BrokenReportGivesTheReadersLineAndStatus1",
     {{kText, {}, "glgpu[0].GLName=\"n\"\nglgpu[0].NoSuchName=1\n", {}}, {kProbe, {}, "", {}}},
     {},
     1,
     "DataItemGPU: no such member\n"
     "trovex-report: FILE0: the reader cannot read this report\n",
     nullptr},
    {"FilesThatCannotBeReadGiveStatus2",
     {{kMissing, {}, "", {}}, {kFolder, {}, "", {}}, {kText, {}, "glgpu[0].GLName=1\n", {}}},
     {},
     2,
     "trovex-report: cannot open FILE0: No such file or directory\n"
     "trovex-report: cannot read FILE1: Is a directory\n",
     nullptr},
    {"JsonEscapesTextsAndLeavesOutWhatARecordCannotAnswer",
     {{kText, {}, kEscapes, {}}},
     {"--json"},
     0,
     "GLGetProgramivARB target never set\n"
     "trovex-report: FILE0: glgpu[0] failed a query and has no later lines\n",
     nullptr},
    {"NoFileIsAUsageError", {}, {"--json"}, 2, kUsage, nullptr},
    {"UnknownOptionIsAUsageError",
     {{kText, {}, "", {}}},
     {"--xml"},
     2,
     std::string("trovex-report: unknown option --xml\n") + kUsage,
     nullptr},
    {"OutputThatCannotBeWrittenIsNoSuccess",
     {{kProbe, {}, "", {}}},
     {},
     2,
     "trovex-report: cannot write the output: No space left on device\n",
     "/dev/full"},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// The lines of a report the tool must give back unchanged.
std::vector<std::string> GPULines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        for (const char* prefix : {"Tester=", "NumGLGPUs=", "glgpu[", "clgpu[", "gputag."}) {
            if (line.compare(0, std::string(prefix).size(), prefix) == 0) kept.push_back(line);
        }
    }
    return kept;
}

// The tool's lines for one file: from its "# path" line to the next comment line.
std::vector<std::string> Block(const std::vector<std::string>& lines, const std::string& path) {
    auto start = std::find(lines.begin(), lines.end(), "# " + path);
    if (start == lines.end()) return {};
    ++start;
    auto end = std::find_if(start, lines.end(),
                            [](const std::string& line) { return line.compare(0, 2, "# ") == 0; });
    return std::vector<std::string>(start, end);
}

class ReportTool : public testing::TestWithParam<Case> {
protected:
    // Makes the file a source describes; report is the probe's output, if it ran.
    std::string Prepare(const Source& source, size_t index, std::string& report) {
        const std::string path = folder.Path() + "/report" + std::to_string(index) + ".txt";
        ProcessOptions options;
        options.environment = source.environment;
        std::string program = TROVEX_BINARY;
        switch (source.kind) {
            case kMissing:
                return path;
            case kFolder:
                return folder.Path();
            case kText:
                std::ofstream(path.c_str(), std::ios::binary) << source.text;
                return path;
            case kSimulated:
            case kSimulatedHost: {
                const std::string machine = path + ".machine";
                std::ofstream(machine.c_str(), std::ios::binary)
                    << (source.kind == kSimulatedHost ? HostAnswers() : "") << source.text;
                options.environment.push_back("TROVEX_SIMULATION=" + machine);
                program = TROVEX_SIMULATED_BINARY;
                break;
            }
            case kProbe:
                break;
        }
        ProcessResult run = RunProcess(program, source.arguments, options);
        EXPECT_EQ(0, run.status) << run.err;
        report = run.out;
        std::ofstream(path.c_str(), std::ios::binary) << report;
        return path;
    }

    // This machine's host answers, given to two OpenGL GPUs.
    static std::string HostAnswers() {
        std::string machine;
        for (const std::string& line : Lines(RunProcess(TROVEX_BINARY, {"-app=Velmora"}).out)) {
            if (line.compare(0, 7, "gputag.") == 0) machine += line + "\n";
            if (line.compare(0, 9, "glgpu[0].") == 0)
                machine += line + "\nglgpu[1]." + line.substr(9) + "\n";
        }
        return machine;
    }

    TempFolder folder;
};

TEST_P(ReportTool, GivesBackTheRecordsOfEveryReport) {
    const Case& c = GetParam();
    std::vector<std::string> paths, reports;
    std::string err = c.err;
    for (size_t i = 0; i < c.files.size(); ++i) {
        std::string report;
        paths.push_back(Prepare(c.files[i], i, report));
        reports.push_back(report);
        const std::string placeholder = "FILE" + std::to_string(i);
        for (size_t at; (at = err.find(placeholder)) != std::string::npos;)
            err.replace(at, placeholder.size(), paths[i]);
    }
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    ProcessOptions options;
    if (c.outputFile != nullptr) options.outputFile = c.outputFile;
    const bool json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
    const std::string jsonPath = folder.Path() + "/records.json";
    if (json) {
        // Standard output goes to a file that exists.
        std::ofstream(jsonPath.c_str());
        options.outputFile = jsonPath;
    }

    ProcessResult r = RunProcess(TROVEX_REPORT_TOOL, arguments, options);
    EXPECT_EQ(c.status, r.status);
    EXPECT_EQ(err, r.err);
    const std::vector<std::string> lines = Lines(r.out);
    for (const std::string& line : lines)
        EXPECT_TRUE(line.compare(0, 2, "# ") == 0 || IsReportLine(line)) << line;
    for (size_t i = 0; i < reports.size() && options.outputFile.empty(); ++i) {
        if (reports[i].empty()) continue;
        EXPECT_FALSE(GPULines(Lines(reports[i])).empty());
        EXPECT_EQ(GPULines(Lines(reports[i])), GPULines(Block(lines, paths[i]))) << paths[i];
    }
    if (json && !paths.empty()) {
        if (std::string(TROVEX_PYTHON).empty()) GTEST_SKIP() << "no python3 to read the JSON";
        ProcessResult check = RunProcess(TROVEX_PYTHON, {"-c", kJsonCheck, jsonPath, paths[0]});
        EXPECT_EQ("", check.err);
        EXPECT_EQ(0, check.status);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportTool, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
