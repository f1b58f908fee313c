#include "ReportLine.h"

#include <cstdint>
#include <iostream>
#include <sstream>

#include "StandardOutput.h"

namespace ReportLine {

// The reader keeps the character after a backslash whatever it is, so a backslash
// or a double quote inside a text gets a backslash before it and reads back as
// itself. A control character would break the line the host reads, and the reader
// has no form that brings it back: it is written as a blank.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    quoted.reserve(text.size() + 2);
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return quoted + "\"";
}

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
