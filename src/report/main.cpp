// trovex-report FILE...: reads each report through the description reader and
// prints the records it built, in the report's own key=value form or as JSON.
// Exit status: 0 every report read; 1 the reader could not read one; 2 a file
// could not be read, the output could not be written, or the command line is wrong.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ReportLine.h"
#include "StandardOutput.h"
#include "dataitem/DescriptionParser.h"
#include "report/RecordFields.h"

namespace {

const char kUsage[] = "usage: trovex-report [--json] FILE...\n";

const int kUnreadable = 1;
const int kTrouble = 2;

struct Records {
    std::string file;
    RecordSet gl;
    RecordSet cl;
    bool host;
};

bool ReadFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
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
    std::fclose(file);
    if (error != 0) {
        std::cerr << "trovex-report: cannot read " << path << ": " << std::strerror(error)
                  << std::endl;
        return false;
    }
    return true;
}

// A report of the host tester carries the host's lines, which its records answer.
bool IsHostReport(DescriptionParser& parser) {
    DataItemPtr tester;
    return parser.Lookup("Tester", tester) && tester->Type() == kString &&
           tester->AsString() == "Velmora";
}

std::string Key(const std::string& tag, const std::vector<std::string>& path) {
    std::string key = tag + "." + path[0];
    for (size_t i = 1; i < path.size(); ++i) key += "[" + path[i] + "]";
    return key;
}

std::string Tag(const RecordSet& set, size_t index) {
    return set.kind + ("[" + std::to_string(index) + "]");
}

void WriteLines(const RecordSet& set) {
    ReportLine::Write(set.countKey + ("=" + std::to_string(set.count)));
    for (const auto& step : set.steps) {
        for (const auto& entry : step) {
            const RecordField& field = entry.second;
            for (const auto& tag : field.tags)
                ReportLine::Write("gputag." + tag.first + "=" + std::to_string(tag.second));
            ReportLine::Write(Key(Tag(set, entry.first), field.path) + "=" + field.reportValue);
        }
    }
}

// A comment line names the file; the reader skips it, so the output reads back.
void WriteReport(const Records& records) {
    ReportLine::Write("# " + records.file);
    if (records.host) ReportLine::Write("Tester=\"Velmora\"");
    WriteLines(records.gl);
    WriteLines(records.cl);
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
    for (size_t record = 0; record < set.count; ++record) {
        Fields fields;
        for (const auto& step : set.steps) {
            for (const auto& entry : step)
                if (entry.first == record) fields.push_back(&entry.second);
        }
        std::cout << (record == 0 ? "\n" : ",\n") << "      ";
        WriteObject(fields, 0, fields.size(), 0, "      ");
    }
    std::cout << (set.count == 0 ? "]" : "\n    ]");
}

void WriteJson(const std::vector<Records>& files) {
    std::cout << "[";
    for (size_t i = 0; i < files.size(); ++i) {
        std::cout << (i == 0 ? "\n" : ",\n") << "  {\n    \"file\": " << JsonString(files[i].file)
                  << ",\n";
        WriteArray(files[i].gl);
        std::cout << ",\n";
        WriteArray(files[i].cl);
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
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            std::cerr << "trovex-report: unknown option " << argument << std::endl;
            return Usage();
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty()) return Usage();

    int status = 0;
    std::vector<Records> read;
    for (const std::string& path : paths) {
        std::string text;
        if (!ReadFile(path, text)) {
            status = kTrouble;
            continue;
        }
        DescriptionParser parser;
        GPUImplStatic records;
        // The reader has written its line on standard error.
        if (!parser.Parse(text, records)) {
            std::cerr << "trovex-report: " << path << ": the reader cannot read this report"
                      << std::endl;
            status = std::max(status, kUnreadable);
            continue;
        }
        const bool host = IsHostReport(parser);
        Records file{path, GLFields(records.GetGPUs(), host), CLFields(records.GetCLGPUs(), host),
                     host};
        for (const RecordSet* set : {&file.gl, &file.cl}) {
            for (size_t index : set->dropped)
                std::cerr << "trovex-report: " << path << ": " << Tag(*set, index)
                          << " failed a query and has no later lines" << std::endl;
        }
        if (json)
            read.push_back(file);
        else
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
