#pragma once

#include <string>
#include <type_traits>

namespace Quelt {
namespace Core {

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
