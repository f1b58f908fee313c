#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dataitem/DescriptionParser.h"

// What reading text wrote on standard error. A run that failed must give no records.
inline std::string ParseFailureText(const std::string& text) {
    DescriptionParser parser;
    testing::internal::CaptureStderr();
    GPUImplStatic result = parser.Parse(text);
    const std::string written = testing::internal::GetCapturedStderr();
    if (!written.empty()) {
        EXPECT_TRUE(result.GetGPUs().empty()) << text;
        EXPECT_TRUE(result.GetCLGPUs().empty()) << text;
    }
    return written;
}
