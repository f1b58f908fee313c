#include "VLLogging/VLStdioLogger.h"

namespace {

const char* StreamName(FILE* stream) {
    if (stream == stdout) return "stdout";
    if (stream == stderr) return "stderr";
    return "FILE*";
}

}  // namespace

VLStdioLogger::VLStdioLogger(FILE* stream) : VLStdioLogger(stream, StreamName(stream)) {}

VLStdioLogger::VLStdioLogger(FILE* stream, const char* name) : VLLogger(name), stream(stream) {}

void VLStdioLogger::Flush() {
    if (stream != nullptr) fflush(stream);
}

void VLStdioLogger::Write(const char* data, size_t length) {
    if (stream != nullptr) fwrite(data, 1, length, stream);
}
