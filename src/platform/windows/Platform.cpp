#include "platform/Platform.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <time.h>
#include <windows.h>

namespace {

// FILETIME counts 100-nanosecond intervals since 1601-01-01 UTC.
const int64_t kFileTimeAt1970 = 116444736000000000LL;

}  // namespace

namespace Platform {

unsigned SetErrorMode(unsigned mode) { return ::SetErrorMode(mode); }

void Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

int64_t SystemTimeMicroseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks;
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    return (static_cast<int64_t>(ticks.QuadPart) - kFileTimeAt1970) / 10;
}

int64_t Time64() { return _time64(nullptr); }

bool LocalTime64(int64_t time, std::tm& local) {
    __time64_t seconds = time;
    const std::tm* converted = _localtime64(&seconds);
    if (converted == nullptr) return false;
    local = *converted;
    return true;
}

// The C runtime's descriptors and the process's standard handle both move, so
// that libraries writing through either reach standard error. Without standard
// error, what libraries print is dropped rather than left on the report's handle.
FILE* TakeStandardOutput() {
    std::fflush(stdout);
    const int report = _dup(_fileno(stdout));
    if (report < 0) return stdout;
    FILE* stream = _fdopen(report, "w");
    if (stream == nullptr) {
        _close(report);
        return stdout;
    }
    if (_dup2(_fileno(stderr), _fileno(stdout)) != 0) {
        const int nowhere = _open("NUL", _O_WRONLY);
        if (nowhere >= 0) {
            _dup2(nowhere, _fileno(stdout));
            _close(nowhere);
        }
    }
    SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout))));
    // Unbuffered, so that what libraries print reaches standard error in order
    // with the program's own lines and is not lost when a driver crashes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return stream;
}

void WriteDebugOutput(const char* text) { OutputDebugStringA(text); }

FILE* OpenShared(const char* path, const char* mode) { return _fsopen(path, mode, _SH_DENYNO); }

int FormattedLength(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = _vscprintf(format, copy);
    va_end(copy);
    return length;
}

// vsprintf_s treats a buffer that is too small as an invalid parameter, which ends
// the process; the length is checked first so that such a call returns -1 instead.
int FormatInto(char* buffer, size_t size, const char* format, va_list args) {
    int length = FormattedLength(format, args);
    if (length < 0 || static_cast<size_t>(length) >= size) return -1;
    va_list copy;
    va_copy(copy, args);
    int written = vsprintf_s(buffer, size, format, copy);
    va_end(copy);
    return written;
}

}  // namespace Platform
