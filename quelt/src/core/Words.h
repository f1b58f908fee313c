#pragma once

#include <set>
#include <string>

namespace Quelt {
namespace Core {

// The blank-separated words of a driver's extension list; none for null. The
// list is read through boundedText with maxTextBytes, query naming it.
std::set<std::string> splitWords(const std::string& query, const char* list);

}  // namespace Core
}  // namespace Quelt
