#pragma once

#include "VLLogging/VLLogger.h"

// Writes to the debugger output.
class VLDebugStrLogger : public VLLogger {
public:
    VLDebugStrLogger();

    std::string LineEnd() override;
    void Write(const char* data, size_t length) override;
};
