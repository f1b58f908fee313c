#include "quelt/src/core/Words.h"

#include <sstream>

namespace Quelt {
namespace Core {

std::set<std::string> splitWords(const char* list) {
    std::set<std::string> words;
    if (list == nullptr) return words;
    std::istringstream stream(list);
    std::string word;
    while (stream >> word) words.insert(word);
    return words;
}

}  // namespace Core
}  // namespace Quelt
