#include "VLLogging/VLDebugStrLogger.h"

#include "platform/Platform.h"

VLDebugStrLogger::VLDebugStrLogger() : VLLogger("DebugStr") {}

std::string VLDebugStrLogger::LineEnd() { return "\r\n"; }

// The debugger takes NUL-terminated texts only.
void VLDebugStrLogger::Write(const char* data, size_t length) {
    Platform::WriteDebugOutput(std::string(data, length).c_str());
}
