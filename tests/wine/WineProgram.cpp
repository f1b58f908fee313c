#include "WineProgram.h"

#include <cstdlib>
#include <filesystem>

void WineProgram::SetUp() {
    if (std::getenv("WINEPREFIX") == nullptr || std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "WINEPREFIX and DISPLAY come from scripts/test-windows";
    if (!std::filesystem::exists(TROVEX_WINE)) GTEST_SKIP() << "Wine is not installed";
    if (!std::filesystem::exists(TROVEX_WINDOWS_EXE))
        GTEST_SKIP() << TROVEX_WINDOWS_EXE << " is not built";
}

ProcessResult WineProgram::RunWindows(const std::vector<std::string>& arguments) {
    std::vector<std::string> wineArguments{TROVEX_WINDOWS_EXE};
    wineArguments.insert(wineArguments.end(), arguments.begin(), arguments.end());
    return RunProcess(TROVEX_WINE, wineArguments);
}

ProcessResult WineProgram::RunLinux(const std::vector<std::string>& arguments) {
    return RunProcess(TROVEX_BINARY, arguments);
}

std::string WithLineFeeds(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
    return result;
}

bool EndsLinesWithCRLF(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    return true;
}
