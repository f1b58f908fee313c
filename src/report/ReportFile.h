#pragma once

#include <string>

#include "report/RecordFields.h"

// What a file given to trovex-report is.
enum Verdict {
    kWhole,       // a report: trovexStart, and it ends with trovexEnd
    kCut,         // trovexStart without trovexEnd after it: the run stopped
    kNotAReport,  // no trovexStart
    kUnreadable,  // the reader failed
};

// The verdict as JSON names it: "report", "cut report", "not a report", "unreadable".
const char* VerdictName(Verdict verdict);

// One file as the reader read it. Only a report, whole or cut, has records.
struct ReportFile {
    std::string file;
    Verdict verdict = kWhole;
    std::string lastKey;  // of the last statement read; empty where none was
    bool host = false;    // a report of the host tester
    // The count lines the report held, each empty where it held none.
    std::string glCount, clCount;
    RecordSet gl{"glgpu", {}, {}};
    RecordSet cl{"clgpu", {}, {}};
};

// Reads the text of the file at path. Every verdict but a whole report writes its
// line on standard error, and so does a record of a whole report that lacks
// properties.
ReportFile ReadReportFile(const std::string& path, const std::string& text);
