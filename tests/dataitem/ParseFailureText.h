#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dataitem/DescriptionParser.h"

// What reading text wrote on standard error. A run that failed must give no records,
// and the checked reading must call it failed, even into a back end that held some.
inline std::string ParseFailureText(const std::string& text) {
    DescriptionParser parser;
    testing::internal::CaptureStderr();
    GPUImplStatic result = parser.Parse(text);
    const std::string written = testing::internal::GetCapturedStderr();
    if (!written.empty()) {
        EXPECT_TRUE(result.GetGPUs().empty()) << text;
        EXPECT_TRUE(result.GetCLGPUs().empty()) << text;
    }
    GPUImplStatic checked = parser.Parse("glgpu[0].GLName=\"n\"\nclgpu[0].CLName=\"c\"\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(written.empty(), parser.Parse(text, checked)) << text;
    EXPECT_EQ(written, testing::internal::GetCapturedStderr()) << text;
    EXPECT_EQ(result.GetGPUs().size(), checked.GetGPUs().size()) << text;
    EXPECT_EQ(result.GetCLGPUs().size(), checked.GetCLGPUs().size()) << text;
    return written;
}
