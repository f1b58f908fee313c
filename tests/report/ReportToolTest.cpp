#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "ReportModel.h"
#include "TempFolder.h"

// The report tool as support staff run it, on the pinned reports of the simulated
// machine and on this machine's report: for each whole or cut report it prints a
// "# path" line, then the lines of the report that carry the records, byte for
// byte; of anything else, nothing.
namespace {

struct Case {
    const char* name;
    // Each a file: "report:NAME" the simulated machine's report in the expected
    // transcript NAME, "report:NAME:TEXT" with TEXT after it; "probe:" this machine's host report,
    // with PoCL's device answered as a GPU; "text:TEXT"; "missing"; "folder".
    // "-" before one gives it on standard input.
    std::vector<std::string> files, options;
    int status;
    std::string err;  // with FILE0, FILE1 ... for the paths of the files
    const char* outputFile = nullptr;
    // What standard output begins with, in place of what the files give.
    const char* outStart = nullptr;
};

const std::vector<std::string> kPoclAsGPU{"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR,
                                          "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu"};
const char kUsage[] =
    "usage: trovex-report [--json] FILE...\n"
    "       trovex-report --help | --version\n";
const std::string kDir = TROVEX_PROJECT_DIR "/tests/";

// A quoted text of UTF-8 forms, encoded surrogates, overlong forms, a lead cut short and
// one past U+10FFFF among the valid forms next to them, then of every byte the reader
// keeps in a text (all but NUL, which ends the report's text).
std::string AllBytes() {
    std::string text =
        "\xED\xA0\x80 \xED\xBF\xBF \xC0\xAF \xE0\x80\xAF \xE2\x82 "
        "\xF4\x90\x80\x80 \xC2\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF ";
    // A backslash before a double quote or a backslash, as in the report.
    for (unsigned char b = 1; b != 0; ++b) text.append(b == '"' || b == '\\', '\\') += b;
    return "\"" + text + "\"";
}

// clang-format off
const Case kCases[] = {
    // The countdown of -hang may follow a report.
    {"WholeReports", {"report:two-of-each", "report:two-of-each.host:delayExit=2\ndelayExit=1\n",
                      "report:no-gpus", "probe:"}, {}, 0, ""},
    // A GPU the probe dropped holds only the lines written before; nothing stands in
    // for the others.
    {"DroppedGPUs", {"report:raise.host"}, {}, 0,
     "trovex-report: FILE0: glgpu[0] lacks GLMemoryMB and 32 more\n"
     "trovex-report: FILE0: clgpu[1] lacks CLName and 6 more\n"},
    {"CutReports", {"report:enumeration-fails", "-report:cl-enumeration-fails.host", "report:two-of-each"}, {}, 1,
     "trovex-report: FILE0: cut report: the run stopped after OGLContextCreated\n"
     "trovex-report: -: cut report: the run stopped after "
     "glgpu[1].extension[Quelt::OGL::GL_ARB_SHADER_TEXTURE_LOD]\n"},
    // A simulated machine's description has the records' keys, but is no report; nor is
    // a text of every byte.
    {"NotReports", {"text:", "text:" + AllBytes(), "text:" + ReadFile(kDir + "simulated/machines/two-of-each.txt"), "text:trovexEnd=\"t\"\n"}, {}, 1,
     "trovex-report: FILE0: not a report: it has no trovexStart line\n"
     "trovex-report: FILE1: not a report: it has no trovexStart line\n"
     "trovex-report: FILE2: not a report: it has no trovexStart line\n"
     "trovex-report: FILE3: not a report: it has no trovexStart line\n"},
    {"UnreadableReport", {"text:trovexStart=\"t\"\nglgpu[0].GLName=\"n\"\nglgpu[0].NoSuchName=1\n", "report:two-of-each.host"}, {}, 1,
     "DataItemGPU: no such member\ntrovex-report: FILE0: the reader cannot read this report\n"},
    {"FilesThatCannotBeRead", {"missing", "folder", "report:enumeration-fails"}, {}, 2,
     "trovex-report: cannot open FILE0: No such file or directory\n"
     "trovex-report: cannot read FILE1: Is a directory\n"
     "trovex-report: FILE2: cut report: the run stopped after OGLContextCreated\n"},
    // The JSON, which check_json.py reads.
    {"Json", {"text:" + ReadFile(kDir + "report/escapes.txt"), "text:", "report:two-of-each",
              "text:trovexStart=\"t\"\nglgpu[0].GLName=" + AllBytes()}, {"--json"}, 1,
     "trovex-report: FILE0: cut report: the run stopped after clgpu[0].CLCompute\n"
     "trovex-report: FILE1: not a report: it has no trovexStart line\n"
     "trovex-report: FILE3: cut report: the run stopped after glgpu[0].GLName\n"},
    {"NoFile", {}, {"--json"}, 2, kUsage},
    {"UnknownOption", {"text:"}, {"--xml"}, 2, std::string("trovex-report: unknown option --xml\n") + kUsage},
    {"Help", {"missing"}, {"--help"}, 0, "", nullptr, kUsage},
    {"Version", {}, {"--json", "--version"}, 0, "", nullptr, "trovex-report " TROVEX_VERSION "\n"},
    {"OutputLost", {"report:two-of-each"}, {}, 2,
     "trovex-report: cannot write the output: No space left on device\n", "/dev/full"},
    {"JsonOutputLost", {"report:two-of-each"}, {"--json"}, 2,
     "trovex-report: cannot write the output: No space left on device\n", "/dev/full"},
};
// clang-format on

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ReportTool : public testing::TestWithParam<Case> {
protected:
    // Makes the file at path, or for "folder" names a folder instead, and gives what
    // the tool prints of it, by the name given.
    std::string Prepare(const std::string& file, std::string& path, const std::string& name) {
        if (file == "folder") path = folder.Path();
        if (file == "missing" || file == "folder") return "";
        const std::string kind = file.substr(0, file.find(':')),
                          value = file.substr(std::min(file.size(), kind.size() + 1));
        std::string text = kind == "text" ? value : "";
        if (kind == "probe")
            text = RunProcess(TROVEX_BINARY, {"-app=Velmora"}, {kPoclAsGPU, 0, ""}).out;
        if (kind == "report") {
            const size_t extra = value.find(':');
            text = ReadFile(kDir + "simulated/expected/" + value.substr(0, extra) + ".txt");
            text = text.substr(0, text.find("-- stderr\n")) +
                   (extra != std::string::npos ? value.substr(extra + 1) : "");
        }
        std::ofstream(path, std::ios::binary) << text;
        if (kind != "report" && kind != "probe") return "";
        std::string printed = "# " + name + "\n";
        static const std::regex records(R"((Tester=|Num|glgpu\[|clgpu\[|gputag\.).*)");
        for (const std::string& line : Lines(text))
            printed += std::regex_match(line, records) ? line + "\n" : "";
        return printed;
    }

    TempFolder folder;
};

TEST_P(ReportTool, SaysWhatEachFileIsAndPrintsTheRecordsOfReports) {
    const Case& c = GetParam();
    std::vector<std::string> arguments = c.options;
    std::string out, err = c.err;
    ProcessOptions options{{}, 0, c.outputFile != nullptr ? c.outputFile : ""};
    for (size_t i = 0; i < c.files.size(); ++i) {
        const bool input = c.files[i][0] == '-';
        std::string path = folder.Path() + "/" + std::to_string(i);
        out += Prepare(c.files[i].substr(input ? 1 : 0), path, input ? "-" : path);
        if (input) options.inputFile = path;
        arguments.push_back(input ? "-" : path);
        err = std::regex_replace(err, std::regex("FILE" + std::to_string(i)), path);
    }
    ProcessResult r = RunProcess(TROVEX_REPORT_TOOL, arguments, options);
    if (std::string(c.name) == "Json") {
        // check_json.py reads the JSON's bytes as they were written.
        std::ofstream(folder.Path() + "/json", std::ios::binary) << r.out;
        const ProcessResult check =
            RunProcess(TROVEX_PYTHON, {kDir + "report/check_json.py", arguments[1], arguments[2]},
                       {{}, 0, "", folder.Path() + "/json"});
        EXPECT_EQ(Transcript("", "", 0), Transcript(check.out, check.err, check.status));
        r.out = out = "";
    }
    if (c.outStart != nullptr) {
        out = c.outStart;
        r.out = r.out.substr(0, out.size());
    }
    EXPECT_EQ(Transcript(c.outputFile == nullptr ? out : "", err, c.status),
              Transcript(r.out, r.err, r.status));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportTool, testing::ValuesIn(kCases));

}  // namespace
