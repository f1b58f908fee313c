#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// One case of a table file: the first words of its line, the rest of that
// line, and the indented lines below it. Blank lines and lines that begin
// with # are comments.
struct CaseLines {
    std::vector<std::string> words;
    std::string rest;
    std::vector<std::string> details;
};

inline void PrintTo(const CaseLines& lines, std::ostream* out) { *out << '"' << lines.rest << '"'; }

inline std::vector<CaseLines> ReadCaseTable(const std::string& path, size_t words) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::vector<CaseLines> cases;
    for (std::string line; std::getline(file, line);) {
        const size_t text = line.find_first_not_of(' ');
        if (text == std::string::npos || line[text] == '#') continue;
        if (text != 0 && !cases.empty()) {
            cases.back().details.push_back(line.substr(text));
            continue;
        }
        std::istringstream fields(line);
        CaseLines entry;
        entry.words.resize(words);
        for (std::string& word : entry.words) fields >> word;
        std::getline(fields >> std::ws, entry.rest);
        cases.push_back(entry);
    }
    return cases;
}

// The cases of a table file whose lines begin with firstWords words, each test
// named by the first.
#define INSTANTIATE_CASE_TABLE(prefix, suite, path, firstWords)            \
    INSTANTIATE_TEST_SUITE_P(                                              \
        prefix, suite, testing::ValuesIn(ReadCaseTable(path, firstWords)), \
        [](const testing::TestParamInfo<CaseLines>& info) { return info.param.words[0]; })
