#pragma once

#include <cstddef>
#include <string>
#include <type_traits>

namespace Quelt {
namespace Core {

// Driver texts (versions, names, extension lists) are at most some tens of
// kilobytes, and one extension name at most a hundred bytes or so; a text that
// does not end within these is a broken answer.
const size_t maxTextBytes = 1048576;
const size_t maxExtensionNameBytes = 4096;

// A text a driver answered, read up to its NUL and never more than bound bytes
// of it. A text that does not end within bound bytes throws LogicalException
// "<query> answered a text longer than <bound> bytes": cut, it would no longer
// be the driver's answer (a cut list could even name an extension the driver
// lacks). Null reads as the empty text.
std::string boundedText(const std::string& query, const char* text, size_t bound);

// Throws LogicalException "<query> answered <value>, outside 0 to <bound>".
[[noreturn]] void throwOutsideBound(const std::string& query, const std::string& value,
                                    const std::string& bound);

// A count or size a driver answered, checked before it drives a loop or an
// allocation: a broken driver may answer anything its type can hold. Returns
// the value when it lies within 0 to bound; the value is written as the
// driver's type gives it (signed or unsigned).
template <typename Value>
Value boundedAnswer(const std::string& query, Value value, Value bound) {
    bool negative = false;
    if constexpr (std::is_signed<Value>::value) negative = value < 0;
    if (negative || value > bound) {
        throwOutsideBound(query, std::to_string(value), std::to_string(bound));
    }
    return value;
}

}  // namespace Core
}  // namespace Quelt
