#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

// Base of all loggers. A logger constructed after InitLogging becomes the
// current logger until it is destroyed or another is constructed over it.
class VLLogger {
public:
    virtual ~VLLogger();

    virtual bool IsEnabled();
    virtual std::string BaseName(const char* path);
    // Writes one line: prefix, formatted message, line end, then flushes.
    virtual void LogV(const char* file, int line, const char* format, va_list args);
    virtual std::string LinePrefix(const char* file, int line);
    virtual std::string LocationText(const char* file, int line);
    virtual void Flush();
    virtual std::string LineEnd();
    virtual void Write(const char* data, size_t length) = 0;

    const std::string& Name() const { return name; }

protected:
    explicit VLLogger(const char* name);

private:
    VLLogger(const VLLogger&) = delete;
    VLLogger& operator=(const VLLogger&) = delete;

    VLLogger* newer;
    VLLogger* older;
    double lastLineTime;
    int32_t lineCount;
    std::string name;
};
