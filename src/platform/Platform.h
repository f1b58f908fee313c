#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

// The few operating-system and C-runtime services the system needs, behind one
// small interface. Each platform has its own source files; nothing outside this
// folder knows which one it runs on.
namespace Platform {

// Error-mode flag that suppresses the crash dialog.
const unsigned kNoGPFaultErrorBox = 0x0002;

// Sets the process error mode and returns the previous one.
unsigned SetErrorMode(unsigned mode);

void Sleep(unsigned milliseconds);

// The system clock as UTC microseconds since 1970-01-01.
int64_t SystemTimeMicroseconds();

// Calendar time in seconds since 1970-01-01 UTC.
int64_t Time64();

// Converts a calendar time to local time; false when it cannot.
bool LocalTime64(int64_t time, std::tm& local);

// Keeps the descriptor of standard output for the report alone and points
// standard output (the descriptor, and the C runtime's stdout) at standard error,
// so that what a loaded library prints goes there. Returns a stream on the kept
// descriptor, or stdout itself where standard output cannot be kept.
FILE* TakeStandardOutput();

// Hands a text to the platform's debugger output.
void WriteDebugOutput(const char* text);

// The user's profile folder; empty when it cannot be found.
std::string ProfileFolder();

// Opens a file that other processes may read and write while it is open.
FILE* OpenShared(const char* path, const char* mode);

// The number of characters a printf-style format would produce, or -1.
int FormattedLength(const char* format, va_list args);

// Formats into buffer (size bytes, including the terminating NUL); returns the
// number of characters written, or -1.
int FormatInto(char* buffer, size_t size, const char* format, va_list args);

}  // namespace Platform
