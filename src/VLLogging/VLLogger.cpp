#include "VLLogging/VLLogger.h"

#include "VLLogging/FormatString.h"
#include "VLLogging/LocalTime.h"
#include "VLLogging/LoggingState.h"

VLLogger::VLLogger(const char* loggerName)
    : newer(nullptr), older(nullptr), lastLineTime(0.0), lineCount(0) {
    if (!LoggingState::Initialized()) return;
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    VLLogger*& current = LoggingState::Current();
    older = current;
    name = loggerName;
    if (current != nullptr) {
        SafeLog(current, __FILE__, __LINE__, "Activating new logger %s", name.c_str());
        current->newer = this;
    }
    current = this;
}

VLLogger::~VLLogger() {
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    if (newer != nullptr) newer->older = older;
    if (older != nullptr) older->newer = newer;
    VLLogger*& current = LoggingState::Current();
    if (current != nullptr) {
        current = older;
        if (current != nullptr)
            SafeLog(current, __FILE__, __LINE__, "Deactivating logger %s", name.c_str());
    }
}

bool VLLogger::IsEnabled() { return true; }

std::string VLLogger::BaseName(const char* path) {
    if (path == nullptr) return std::string();
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p)
        if ((*p == '\\' || *p == '/') && p[1] != '\0') base = p + 1;
    return base;
}

void VLLogger::LogV(const char* file, int line, const char* format, va_list args) {
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    char last = '\0';
    std::string prefix = LinePrefix(file, line);
    if (!prefix.empty()) {
        Write(prefix.data(), prefix.size());
        last = prefix.back();
    }
    std::string message = FormatString(format, args);
    if (!message.empty()) {
        Write(message.data(), message.size());
        last = message.back();
    }
    if (last != '\r' && last != '\n') {
        std::string end = LineEnd();
        Write(end.data(), end.size());
    }
    Flush();
}

std::string VLLogger::LinePrefix(const char*, int) {
    LocalTime now = LocalTimeParts();
    if (lastLineTime <= 0.0) lastLineTime = now.secondsOfDay;
    double delta = now.secondsOfDay - lastLineTime;
    lastLineTime = now.secondsOfDay;
    std::string prefix = StringPrintf("%05ld.%04d.%02d.%02d_%02d:%02d:%06.3f(+%06.3f) ",
                                      static_cast<long>(lineCount), now.year, now.month, now.day,
                                      now.hours, now.minutes, now.seconds, delta);
    ++lineCount;
    return prefix;
}

std::string VLLogger::LocationText(const char*, int) { return std::string(); }

void VLLogger::Flush() {}

std::string VLLogger::LineEnd() { return "\n"; }
