#pragma once

#include <cstdio>

#include "VLLogging/VLLogger.h"

// Writes to a C stdio stream it does not own.
class VLStdioLogger : public VLLogger {
public:
    explicit VLStdioLogger(FILE* stream);
    // For a stream that stands for stdout or stderr under another FILE*.
    VLStdioLogger(FILE* stream, const char* name);

    void Flush() override;
    void Write(const char* data, size_t length) override;

private:
    FILE* stream;
};
