#include "report/ReportFile.h"

#include <iostream>

#include "ReportLine.h"
#include "dataitem/DescriptionParser.h"

namespace {

// What the order of a report's statements tells: whether a run started, and
// whether its last line is trovexEnd.
struct Trail {
    bool started = false;
    bool ended = false;
    std::string lastKey;

    void Note(const std::string& key) {
        const std::string name = key.substr(0, key.find_first_of(".["));
        // The -hang countdown follows the report, however the run ended.
        if (name == "delayExit") return;
        lastKey = key;
        started = started || name == "trovexStart";
        ended = started && name == "trovexEnd";
    }
};

// A report of the host tester carries the host's lines, which its records answer.
bool IsHostReport(DescriptionParser& parser) {
    DataItemPtr tester;
    return parser.Lookup("Tester", tester) && tester->Type() == kString &&
           tester->AsString() == "Velmora";
}

// The count line the report held under key, as the probe writes it.
std::string CountLine(DescriptionParser& parser, const char* key) {
    DataItemPtr count;
    if (!parser.Lookup(key, count) || count->Type() != kInt) return "";
    return key + ("=" + ReportLine::Unsigned(count->AsInt()));
}

}  // namespace

const char* VerdictName(Verdict verdict) {
    static const char* const kNames[] = {"report", "cut report", "not a report", "unreadable"};
    return kNames[verdict];
}

ReportFile ReadReportFile(const std::string& path, const std::string& text) {
    DescriptionParser parser;
    Trail trail;
    parser.ObserveStatements([&trail](const std::string& key) { trail.Note(key); });
    GPUImplStatic records;
    const bool read = parser.Parse(text, records);
    ReportFile file;
    file.file = path;
    file.lastKey = trail.lastKey;
    const std::string where = "trovex-report: " + path + ": ";
    if (!read) {
        // The reader has written its line on standard error.
        std::cerr << where << "the reader cannot read this report" << std::endl;
        file.verdict = kUnreadable;
        return file;
    }
    if (!trail.started) {
        std::cerr << where << "not a report: it has no trovexStart line" << std::endl;
        file.verdict = kNotAReport;
        return file;
    }
    if (!trail.ended) {
        std::cerr << where << "cut report: the run stopped after " << trail.lastKey << std::endl;
        file.verdict = kCut;
    }
    file.host = IsHostReport(parser);
    file.glCount = CountLine(parser, "NumGLGPUs");
    file.clCount = CountLine(parser, "NumCLGPUs");
    file.gl = GLFields(records.GetGPUs(), parser.CollectImpls("glgpu"), file.host);
    file.cl = CLFields(records.GetCLGPUs(), parser.CollectImpls("clgpu"), file.host);
    if (file.verdict != kWhole) return file;
    for (const RecordSet* set : {&file.gl, &file.cl}) {
        for (size_t i = 0; i < set->lacking.size(); ++i) {
            const std::vector<std::string>& lacking = set->lacking[i];
            if (lacking.empty()) continue;
            std::cerr << where << RecordTag(*set, i) << " lacks " << lacking[0];
            if (lacking.size() > 1) std::cerr << " and " << lacking.size() - 1 << " more";
            std::cerr << std::endl;
        }
    }
    return file;
}
