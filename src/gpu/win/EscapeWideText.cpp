#include <cstdio>

#include "gpu/win/VideoControllers.h"

std::string EscapeWideText(const std::u16string& text) {
    std::string result;
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit <= 0x7E) {
            result += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%04x", static_cast<unsigned>(unit));
            result += escaped;
        }
    }
    return result;
}
