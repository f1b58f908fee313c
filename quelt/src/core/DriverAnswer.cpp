#include "quelt/src/core/DriverAnswer.h"

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace Core {

void throwOutsideBound(const std::string& query, const std::string& value,
                       const std::string& bound) {
    throw LogicalException((query + " answered " + value + ", outside 0 to " + bound).c_str());
}

}  // namespace Core
}  // namespace Quelt
