#include "VLLogging/TrovexLogger.h"

TrovexLogger::TrovexLogger() : VLStdioLogger(stdout) {}

std::string TrovexLogger::LinePrefix(const char* file, int line) {
    return "# " + VLLogger::LinePrefix(file, line);
}
