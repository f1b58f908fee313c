#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ReportModel.h"
#include "TempFolder.h"

// The report tool as support staff run it, on the pinned reports of the simulated
// machine and on this machine's report: for each file it prints a "# path" line,
// then the lines of the report that carry the records, byte for byte.
namespace {

struct Case {
    const char* name;
    // Each a file: "pinned:NAME" the report of the simulated machine's expected
    // transcript NAME; "probe" this machine's host report, with PoCL's device
    // answered as a GPU; "text:TEXT", which prints nothing; "missing"; "folder".
    std::vector<std::string> files;
    std::vector<std::string> options;
    int status;
    std::string err;  // with FILE0, FILE1 ... for the paths of the files
    const char* outputFile = nullptr;
};

const char kUsage[] = "usage: trovex-report [--json] FILE...\n";
const char kDir[] = TROVEX_PROJECT_DIR "/tests/";

// clang-format off
const Case kCases[] = {
    {"PinnedReports", {"pinned:two-of-each", "pinned:two-of-each.host"}, {}, 0, ""},
    {"ThisMachinesReport", {"probe"}, {}, 0, ""},
    {"BrokenReport", {"text:glgpu[0].GLName=\"n\"\nglgpu[0].NoSuchName=1\n", "pinned:two-of-each.host"}, {}, 1,
     "DataItemGPU: no such member\ntrovex-report: FILE0: the reader cannot read this report\n"},
    {"FilesThatCannotBeRead", {"missing", "folder", "pinned:two-of-each"}, {}, 2,
     "trovex-report: cannot open FILE0: No such file or directory\n"
     "trovex-report: cannot read FILE1: Is a directory\n"},
    // The JSON, which check_json.py reads: a record that cannot answer a host query
    // is left out of the later ones.
    {"Json", {"text:" + ReadFile(kDir + std::string("report/escapes.txt"))}, {"--json"}, 0,
     "GLGetProgramivARB target never set\n"
     "trovex-report: FILE0: glgpu[0] failed a query and has no later lines\n"},
    {"NoFile", {}, {"--json"}, 2, kUsage},
    {"UnknownOption", {"text:"}, {"--xml"}, 2, std::string("trovex-report: unknown option --xml\n") + kUsage},
    {"OutputLost", {"pinned:two-of-each"}, {}, 2,
     "trovex-report: cannot write the output: No space left on device\n", "/dev/full"},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ReportTool : public testing::TestWithParam<Case> {
protected:
    // Makes the file, and gives what the tool prints of it.
    std::string Prepare(const std::string& file, const std::string& path) {
        if (file == "missing") return "";
        std::string text = file.substr(file.find(':') + 1);
        if (file.compare(0, 7, "pinned:") == 0) {
            text = ReadFile(kDir + ("simulated/expected/" + text + ".txt"));
            text.erase(text.find("-- stderr\n"));
        } else if (file == "probe") {
            ProcessOptions options;
            options.environment = {"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR,
                                   "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"};
            text = RunProcess(TROVEX_BINARY, {"-app=Velmora"}, options).out;
            EXPECT_NE(std::string::npos, text.find("\nclgpu[0].")) << text;
        }
        std::ofstream(path, std::ios::binary) << text;
        std::string printed = "# " + path + "\n";
        for (const std::string& line : Lines(text)) {
            for (const std::string key : {"Tester=", "Num", "glgpu[", "clgpu[", "gputag."})
                if (line.compare(0, key.size(), key) == 0) printed += line + "\n";
        }
        return file.compare(0, 5, "text:") == 0 ? "" : printed;
    }

    TempFolder folder;
};

TEST_P(ReportTool, PrintsTheRecordsOfEveryReport) {
    const Case& c = GetParam();
    std::vector<std::string> arguments = c.options;
    std::string out, err = c.err;
    for (size_t i = 0; i < c.files.size(); ++i) {
        const std::string path =
            c.files[i] == "folder" ? folder.Path() : folder.Path() + "/" + std::to_string(i);
        out += c.files[i] == "folder" ? "" : Prepare(c.files[i], path);
        arguments.push_back(path);
        for (size_t at; (at = err.find("FILE" + std::to_string(i))) != std::string::npos;)
            err.replace(at, 5, path);
    }
    ProcessOptions options;
    if (c.outputFile != nullptr) options.outputFile = c.outputFile;
    ProcessResult r = RunProcess(TROVEX_REPORT_TOOL, arguments, options);
    if (c.options == std::vector<std::string>{"--json"} && !c.files.empty()) {
        const ProcessResult check = RunProcess(
            TROVEX_PYTHON, {kDir + std::string("report/check_json.py"), r.out, arguments[1]});
        EXPECT_EQ(Transcript("", "", 0), Transcript(check.out, check.err, check.status));
        r.out.clear();
    }
    EXPECT_EQ(Transcript(c.outputFile == nullptr ? out : "", err, c.status),
              Transcript(r.out, r.err, r.status));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportTool, testing::ValuesIn(kCases));

}  // namespace
