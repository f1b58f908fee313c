#include "quelt/src/core/Words.h"

#include <sstream>

#include "quelt/src/core/DriverAnswer.h"

namespace Quelt {
namespace Core {

std::set<std::string> splitWords(const std::string& query, const char* list) {
    std::set<std::string> words;
    std::istringstream stream(boundedText(query, list, maxTextBytes));
    std::string word;
    while (stream >> word) words.insert(word);
    return words;
}

}  // namespace Core
}  // namespace Quelt
