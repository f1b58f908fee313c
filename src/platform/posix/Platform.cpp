#include "platform/Platform.h"

#include <fcntl.h>
#include <syslog.h>
#include <time.h>
#include <unistd.h>

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

// The kept descriptor lies above the standard three and is not inherited by
// programs a library may start. Without standard error, what libraries print is
// dropped rather than left on the report's descriptor.
FILE* TakeStandardOutput() {
    std::fflush(stdout);
    const int report = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (report < 0) return stdout;
    FILE* stream = fdopen(report, "w");
    if (stream == nullptr) {
        close(report);
        return stdout;
    }
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) {
            dup2(nowhere, STDOUT_FILENO);
            close(nowhere);
        }
    }
    // Unbuffered, so that what libraries print reaches standard error in order
    // with the program's own lines and is not lost when a driver crashes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return stream;
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
