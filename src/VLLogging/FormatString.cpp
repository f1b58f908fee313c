#include "VLLogging/FormatString.h"

#include <vector>

#include "platform/Platform.h"

std::string FormatString(const char* format, va_list args) {
    int length = Platform::FormattedLength(format, args);
    if (length <= 0) return std::string();
    if (length < 256) {
        char buffer[256];
        int written = Platform::FormatInto(buffer, sizeof buffer, format, args);
        return written < 0 ? std::string() : std::string(buffer, static_cast<size_t>(length));
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int written = Platform::FormatInto(buffer.data(), buffer.size(), format, args);
    return written < 0 ? std::string() : std::string(buffer.data(), static_cast<size_t>(length));
}

std::string StringPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatString(format, args);
    va_end(args);
    return text;
}
