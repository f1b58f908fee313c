#include "VLLogging/VLNullLogger.h"

VLNullLogger::VLNullLogger() : VLLogger("VLNullLogger") {}

bool VLNullLogger::IsEnabled() { return false; }

void VLNullLogger::LogV(const char*, int, const char*, va_list) {}

void VLNullLogger::Write(const char*, size_t) {}
