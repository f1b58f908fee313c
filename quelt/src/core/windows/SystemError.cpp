#include "quelt/src/core/windows/SystemError.h"

#include <windows.h>

namespace Quelt {
namespace Core {

std::string systemErrorText(unsigned long error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    // The system ends its texts with a full stop and a line end.
    message.erase(message.find_last_not_of(" \r\n.") + 1);
    if (message.empty()) message = "unknown reason";
    return message + " (error " + std::to_string(error) + ")";
}

}  // namespace Core
}  // namespace Quelt
