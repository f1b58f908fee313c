#pragma once

#include "VLLogging/VLStdioLogger.h"

// The program's logger: log lines go to standard output among the report
// lines (the report's own stream), marked with "# " so that readers of the
// report skip them.
class TrovexLogger : public VLStdioLogger {
public:
    TrovexLogger();

    std::string LinePrefix(const char* file, int line) override;
    // A log line that cannot be written counts as a lost report, as a report
    // line does.
    void Flush() override;
};
