#include "VLLogging/TrovexLogger.h"

#include "StandardOutput.h"

TrovexLogger::TrovexLogger() : VLStdioLogger(ReportStream(), "stdout") {}

std::string TrovexLogger::LinePrefix(const char* file, int line) {
    return "# " + VLLogger::LinePrefix(file, line);
}

void TrovexLogger::Flush() {
    VLStdioLogger::Flush();
    NoteStandardOutputState();
}
