// trovex-report FILE...: reads each report through the description reader and
// prints the records it built, in the report's own key=value form or as JSON,
// with what each file is: a whole report, a cut one (the run stopped before
// trovexEnd), no report at all, or one the reader cannot read.
// Exit status: 0 only whole reports; 1 a file that is not one; 2 a file could
// not be read, the output could not be written, or the command line is wrong.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ReportLine.h"
#include "StandardOutput.h"
#include "report/ReportFile.h"

namespace {

const char kUsage[] =
    "usage: trovex-report [--json] FILE...\n"
    "       trovex-report --help | --version\n";

const char kHelp[] =
    "\n"
    "Reads each GPUTrovex report (FILE - is standard input) and prints the GPU\n"
    "records a host gets from it: its record lines as the probe writes them, or\n"
    "with --json one JSON object per file. A property the report does not hold is\n"
    "left out (null in JSON).\n"
    "\n"
    "Exit status: 0 every file is a whole report; 1 a file is a cut report (no\n"
    "trovexEnd), not a report (no trovexStart) or one the reader cannot read;\n"
    "2 a file cannot be read, the output cannot be written, or the command line\n"
    "is wrong.\n";

const int kTrouble = 2;

// path "-" reads standard input.
bool ReadFile(const std::string& path, std::string& text) {
    const bool standardInput = path == "-";
    std::FILE* file = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        std::cerr << "trovex-report: cannot open " << path << ": " << std::strerror(errno)
                  << std::endl;
        return false;
    }
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    // A folder opens, and only the read says what it is.
    const int error = !std::ferror(file) ? 0 : errno != 0 ? errno : EIO;
    if (!standardInput) std::fclose(file);
    if (error != 0) {
        std::cerr << "trovex-report: cannot read " << path << ": " << std::strerror(error)
                  << std::endl;
        return false;
    }
    return true;
}

void WriteLines(const std::string& countLine, const RecordSet& set) {
    if (!countLine.empty()) ReportLine::Write(countLine);
    for (const auto& step : set.steps) {
        for (size_t i = 0; i < step.size(); ++i) {
            const RecordField& field = step[i];
            if (!field.held) continue;
            for (const auto& tag : field.tags)
                ReportLine::Write("gputag." + tag.first + "=" + std::to_string(tag.second));
            ReportLine::Write(RecordTag(set, i) + "." + FieldKey(field.path) + "=" +
                              field.reportValue);
        }
    }
}

// A comment line names the file; the reader skips it, so the output reads back.
void WriteReport(const ReportFile& records) {
    ReportLine::Write("# " + records.file);
    if (records.host) ReportLine::Write("Tester=\"Velmora\"");
    WriteLines(records.glCount, records.gl);
    WriteLines(records.clCount, records.cl);
}

typedef std::vector<const RecordField*> Fields;

// The fields from begin to end as one JSON object, at the given depth of their
// paths: fields that share the path's part at that depth share a nested object.
void WriteObject(const Fields& fields, size_t begin, size_t end, size_t depth,
                 const std::string& indent) {
    std::cout << "{";
    for (size_t i = begin; i < end;) {
        const std::vector<std::string>& path = fields[i]->path;
        std::cout << (i == begin ? "\n" : ",\n") << indent << "  " << JsonString(path[depth])
                  << ": ";
        size_t next = i + 1;
        if (path.size() == depth + 1) {
            std::cout << fields[i]->jsonValue;
        } else {
            while (next < end && fields[next]->path.size() > depth + 1 &&
                   fields[next]->path[depth] == path[depth])
                ++next;
            WriteObject(fields, i, next, depth + 1, indent + "  ");
        }
        i = next;
    }
    std::cout << (begin == end ? "" : "\n" + indent) << "}";
}

void WriteArray(const RecordSet& set) {
    std::cout << "    " << JsonString(set.kind) << ": [";
    const size_t count = set.lacking.size();
    for (size_t record = 0; record < count; ++record) {
        Fields fields;
        for (const auto& step : set.steps) fields.push_back(&step[record]);
        std::cout << (record == 0 ? "\n" : ",\n") << "      ";
        WriteObject(fields, 0, fields.size(), 0, "      ");
    }
    std::cout << (count == 0 ? "]" : "\n    ]");
}

void WriteJson(const std::vector<ReportFile>& files) {
    std::cout << "[";
    for (size_t i = 0; i < files.size(); ++i) {
        const ReportFile& file = files[i];
        std::cout << (i == 0 ? "\n" : ",\n") << "  {\n    \"file\": " << JsonString(file.file)
                  << ",\n    \"verdict\": \"" << VerdictName(file.verdict)
                  << "\",\n    \"complete\": " << (file.verdict == kWhole ? "true" : "false")
                  << ",\n    \"lastKey\": "
                  << (file.lastKey.empty() ? "null" : JsonString(file.lastKey)) << ",\n";
        WriteArray(file.gl);
        std::cout << ",\n";
        WriteArray(file.cl);
        std::cout << "\n  }";
    }
    std::cout << (files.empty() ? "]" : "\n]") << std::endl;
    NoteStandardOutputState();
}

int Usage() {
    std::cerr << kUsage;
    return kTrouble;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    bool options = true;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--json") {
            json = true;
        } else if (options && (argument == "--help" || argument == "--version")) {
            std::cout << (argument == "--help" ? std::string(kUsage) + kHelp
                                               : "trovex-report " TROVEX_VERSION "\n")
                      << std::flush;
            NoteStandardOutputState();
            return StandardOutputError() == 0 ? 0 : kTrouble;
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            std::cerr << "trovex-report: unknown option " << argument << std::endl;
            return Usage();
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty()) return Usage();

    int status = 0;
    std::vector<ReportFile> read;
    for (const std::string& path : paths) {
        std::string text;
        if (!ReadFile(path, text)) {
            status = kTrouble;
            continue;
        }
        const ReportFile file = ReadReportFile(path, text);
        // Every file that is no whole report has its line on standard error.
        if (file.verdict != kWhole) status = std::max(status, 1);
        if (json)
            read.push_back(file);
        else if (file.verdict == kWhole || file.verdict == kCut)
            WriteReport(file);
    }
    if (json) WriteJson(read);
    if (StandardOutputError() != 0) {
        std::cerr << "trovex-report: cannot write the output: "
                  << std::strerror(StandardOutputError()) << std::endl;
        status = kTrouble;
    }
    return status;
}
