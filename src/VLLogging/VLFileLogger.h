#pragma once

#include <cstdio>
#include <filesystem>

#include "VLLogging/VLLogger.h"

// The folder file loggers write into: the user's profile folder.
std::filesystem::path LogFolder();

// Appends to a file in the log folder, opening and closing it for every line so
// that the file is complete whenever the process dies. The first file logger for
// a path in a process starts a fresh file; an empty file is removed at the end.
class VLFileLogger : public VLLogger {
public:
    explicit VLFileLogger(const char* name = nullptr);
    ~VLFileLogger() override;

    void Flush() override;
    void Write(const char* data, size_t length) override;

    const std::filesystem::path& Path() const { return path; }

private:
    void Close();

    FILE* file;
    std::filesystem::path path;
};
