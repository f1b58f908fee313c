#pragma once

#include <sstream>
#include <string>

// A timed entry: "BEGIN name" when made, "END name, duration=seconds" when the
// last owner lets go.
class VLLogEntry {
public:
    VLLogEntry(const char* file, int line, const std::ostringstream& text);
    ~VLLogEntry();

private:
    VLLogEntry(const VLLogEntry&) = delete;
    VLLogEntry& operator=(const VLLogEntry&) = delete;

    double start;
    const char* file;
    int line;
    std::string text;
};
