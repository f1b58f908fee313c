#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What a reader of the report may rely on: every report line is one of the
// line kinds the host knows, with the value form of its key. A failure names
// the rule the line breaks, and the line.
testing::AssertionResult IsReportLine(const std::string& line);

// The key of a report line: the text before its first "=".
std::string KeyOf(const std::string& line);

// The lines whose key begins with prefix, in order.
std::vector<std::string> LinesWithKeyPrefix(const std::vector<std::string>& lines,
                                            const std::string& prefix);
