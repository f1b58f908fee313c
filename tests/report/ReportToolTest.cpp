#include <gtest/gtest.h>

#include <fstream>
#include <regex>
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
    // Each a file: "report:NAME" the simulated machine's report in the expected
    // transcript NAME; "machine:NAME" the machine description in machines/, of
    // which the tool prints what the probe wrote, the report NAME; "probe:" this
    // machine's host report, with PoCL's device answered as a GPU; "text:TEXT",
    // of which it prints nothing; "missing"; "folder".
    std::vector<std::string> files, options;
    int status;
    std::string err;  // with FILE0, FILE1 ... for the paths of the files
    const char* outputFile = nullptr;
};

const std::vector<std::string> kPoclAsGPU{"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR,
                                          "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"};
const char kUsage[] = "usage: trovex-report [--json] FILE...\n";
const std::string kDir = TROVEX_PROJECT_DIR "/tests/";

// clang-format off
const Case kCases[] = {
    {"PinnedReports", {"report:two-of-each", "report:two-of-each.host"}, {}, 0, ""},
    {"MachinesAsTheProbeReadsThem", {"machine:two-of-each", "machine:one-of-each"}, {}, 0, ""},
    {"ThisMachinesReport", {"probe:"}, {}, 0, ""},
    {"BrokenReport", {"text:glgpu[0].GLName=\"n\"\nglgpu[0].NoSuchName=1\n", "report:two-of-each.host"}, {}, 1,
     "DataItemGPU: no such member\ntrovex-report: FILE0: the reader cannot read this report\n"},
    {"FilesThatCannotBeRead", {"missing", "folder", "report:two-of-each"}, {}, 2,
     "trovex-report: cannot open FILE0: No such file or directory\n"
     "trovex-report: cannot read FILE1: Is a directory\n"},
    // The JSON, which check_json.py reads: a record that cannot answer a host query
    // is left out of the later ones.
    {"Json", {"text:" + ReadFile(kDir + "report/escapes.txt")}, {"--json"}, 0,
     "GLGetProgramivARB target never set\n"
     "trovex-report: FILE0: glgpu[0] failed a query and has no later lines\n"},
    {"NoFile", {}, {"--json"}, 2, kUsage},
    {"UnknownOption", {"text:"}, {"--xml"}, 2, std::string("trovex-report: unknown option --xml\n") + kUsage},
    {"OutputLost", {"report:two-of-each"}, {}, 2,
     "trovex-report: cannot write the output: No space left on device\n", "/dev/full"},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ReportTool : public testing::TestWithParam<Case> {
protected:
    // Makes the file at path, or for "folder" names a folder instead, and gives what
    // the tool prints of it.
    std::string Prepare(const std::string& file, std::string& path) {
        if (file == "folder") path = folder.Path();
        if (file == "missing" || file == "folder") return "";
        const std::string kind = file.substr(0, file.find(':')),
                          name = file.substr(kind.size() + 1);
        std::string report = ReadFile(kDir + "simulated/expected/" + name + ".txt");
        report = kind == "probe"
                     ? RunProcess(TROVEX_BINARY, {"-app=Velmora"}, {kPoclAsGPU, 0, ""}).out
                     : report.substr(0, report.find("-- stderr\n"));
        std::ofstream(path, std::ios::binary)
            << (kind == "machine" ? ReadFile(kDir + "simulated/machines/" + name + ".txt")
                : kind == "text"  ? name
                                  : report);
        std::string printed = "# " + path + "\n";
        static const std::regex records(R"((Tester=|Num|glgpu\[|clgpu\[|gputag\.).*)");
        for (const std::string& line : Lines(report))
            printed += std::regex_match(line, records) ? line + "\n" : "";
        return kind == "text" ? "" : printed;
    }

    TempFolder folder;
};

TEST_P(ReportTool, PrintsTheRecordsOfEveryReport) {
    const Case& c = GetParam();
    std::vector<std::string> arguments = c.options;
    std::string out, err = c.err;
    for (size_t i = 0; i < c.files.size(); ++i) {
        std::string path = folder.Path() + "/" + std::to_string(i);
        out += Prepare(c.files[i], path);
        arguments.push_back(path);
        err = std::regex_replace(err, std::regex("FILE" + std::to_string(i)), path);
    }
    const ProcessOptions options{{}, 0, c.outputFile != nullptr ? c.outputFile : ""};
    ProcessResult r = RunProcess(TROVEX_REPORT_TOOL, arguments, options);
    if (c.options == std::vector<std::string>{"--json"} && !c.files.empty()) {
        const ProcessResult check =
            RunProcess(TROVEX_PYTHON, {kDir + "report/check_json.py", r.out, arguments[1]});
        EXPECT_EQ(Transcript("", "", 0), Transcript(check.out, check.err, check.status));
        r.out = out = "";
    }
    EXPECT_EQ(Transcript(c.outputFile == nullptr ? out : "", err, c.status),
              Transcript(r.out, r.err, r.status));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportTool, testing::ValuesIn(kCases));

}  // namespace
