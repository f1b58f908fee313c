#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

// The text of the failure that action raises, which must fail as a failed
// requirement fails: the text as one line on standard error, then a
// std::runtime_error carrying the same text. The helper checks that the two agree.
template <typename Action>
std::string FailureText(Action action) {
    testing::internal::CaptureStderr();
    try {
        action();
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(std::string(failure.what()) + "\n", testing::internal::GetCapturedStderr());
        return failure.what();
    }
    testing::internal::GetCapturedStderr();
    ADD_FAILURE() << "no failure raised";
    return std::string();
}
