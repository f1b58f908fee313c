#include "ReportLine.h"

#include <cstdint>
#include <iostream>
#include <sstream>

#include "StandardOutput.h"

namespace ReportLine {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Quoted(const char* text) { return Quoted(std::string(text != nullptr ? text : "")); }

std::string Unsigned(int value) { return std::to_string(static_cast<uint32_t>(value)); }

std::string Boolean(bool value) { return value ? "1" : "0"; }

std::string Real(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string FormatValues(const std::vector<int>& values) {
    std::ostringstream text;
    text << "[";
    for (size_t i = 0; i < values.size(); ++i) text << (i == 0 ? "" : ", ") << values[i];
    text << "]";
    return text.str();
}

void Write(const std::string& line) {
    std::cout << line << std::endl;
    NoteStandardOutputState();
}

}  // namespace ReportLine
