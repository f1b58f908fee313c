#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProcessRun.h"

// Tests of the Windows program under Wine. Each case skips unless the runner
// provides a Wine prefix and a display and the program has been built.
class WineProgram : public testing::Test {
protected:
    void SetUp() override;

    // The Windows program's run, with the line ends as they reached this side.
    static ProcessResult RunWindows(const std::vector<std::string>& arguments);

    // The Linux program's run, for comparison.
    static ProcessResult RunLinux(const std::vector<std::string>& arguments);
};

// The text with each CR LF turned into LF.
std::string WithLineFeeds(const std::string& text);

// True when every line feed of the text comes after a carriage return.
bool EndsLinesWithCRLF(const std::string& text);
