#include "quelt/src/core/DriverAnswer.h"

#include <cstring>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace Core {

std::string boundedText(const std::string& query, const char* text, size_t bound) {
    if (text == nullptr) return std::string();
    // memchr reads no further than the NUL it finds.
    const void* end = std::memchr(text, '\0', bound + 1);
    if (end == nullptr) {
        throw LogicalException(
            (query + " answered a text longer than " + std::to_string(bound) + " bytes").c_str());
    }
    return std::string(text, static_cast<const char*>(end));
}

void throwOutsideBound(const std::string& query, const std::string& value,
                       const std::string& bound) {
    throw LogicalException((query + " answered " + value + ", outside 0 to " + bound).c_str());
}

}  // namespace Core
}  // namespace Quelt
