#pragma once

#include <string>
#include <vector>

// Value forms of the report. Every line is built whole first and then written
// with one flush, so the host never sees half a line.
namespace ReportLine {

// A text in double quotes, written so that the reader gets it back and the line
// stays one line.
std::string Quoted(const std::string& text);
std::string Quoted(const char* text);  // null writes as the empty text
std::string Unsigned(int value);
std::string Boolean(bool value);
std::string Real(double value);
// "[a, b]"
std::string FormatValues(const std::vector<int>& values);

void Write(const std::string& line);

}  // namespace ReportLine
