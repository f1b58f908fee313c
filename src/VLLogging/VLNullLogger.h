#pragma once

#include "VLLogging/VLLogger.h"

// Swallows everything. Created by CurrentLogger when no logger is registered.
class VLNullLogger : public VLLogger {
public:
    bool IsEnabled() override;
    void LogV(const char* file, int line, const char* format, va_list args) override;
    void Write(const char* data, size_t length) override;

private:
    VLNullLogger();
    friend VLLogger* CurrentLogger();
};
