#include "platform/Platform.h"

#include <syslog.h>
#include <time.h>

namespace {

unsigned errorMode = 0;

}  // namespace

namespace Platform {

// There is no crash dialog to suppress; the mode is only remembered.
unsigned SetErrorMode(unsigned mode) {
    unsigned previous = errorMode;
    errorMode = mode;
    return previous;
}

void Sleep(unsigned milliseconds) {
    timespec remaining = {static_cast<time_t>(milliseconds / 1000),
                          static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) != 0) {
    }
}

int64_t SystemTimeMicroseconds() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int64_t Time64() { return static_cast<int64_t>(time(nullptr)); }

bool LocalTime64(int64_t time, std::tm& local) {
    time_t seconds = static_cast<time_t>(time);
    return localtime_r(&seconds, &local) != nullptr;
}

// The system log stands in for the debugger output.
void WriteDebugOutput(const char* text) { syslog(LOG_DEBUG, "%s", text); }

FILE* OpenShared(const char* path, const char* mode) { return fopen(path, mode); }

int FormattedLength(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    return length;
}

int FormatInto(char* buffer, size_t size, const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(buffer, size, format, copy);
    va_end(copy);
    return length < 0 || static_cast<size_t>(length) >= size ? -1 : length;
}

}  // namespace Platform
