#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// Runs the call, which must fail as FailRequirement fails: the text as one line
// on standard error, then a std::runtime_error carrying the same text.
template <typename Call>
void ExpectFailRequirement(const std::string& text, Call call) {
    testing::internal::CaptureStderr();
    std::string thrown = "(nothing thrown)";
    try {
        call();
    } catch (const std::runtime_error& error) {
        thrown = error.what();
    }
    EXPECT_EQ(text + "\n", testing::internal::GetCapturedStderr());
    EXPECT_EQ(text, thrown);
}
