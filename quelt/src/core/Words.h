#pragma once

#include <set>
#include <string>

namespace Quelt {
namespace Core {

// The blank-separated words of a driver's extension list; none for null.
std::set<std::string> splitWords(const char* list);

}  // namespace Core
}  // namespace Quelt
