#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "FailureText.h"
#include "failure/FailRequirement.h"

namespace {

std::string sunk;
void Record(const char* text) { sunk += std::string(NullToText(text)) + "\n"; }
void Return(const char*, int, const char*, bool) { sunk += "returned\n"; }

// What the current handler sent to the sink, then what it threw.
std::string Handle(const char* file, bool doThrow) {
    sunk.clear();
    try {
        GetFailureHandler()(file, 42, "broken", doThrow);
    } catch (const std::runtime_error& failure) {
        sunk += std::string("threw ") + failure.what();
    }
    return sunk;
}

TEST(FailRequirement, WritesItsLineOnStandardErrorThrowsTheSameTextAndCanBeReplaced) {
    EXPECT_EQ("Failed requirement: x",
              FailureText([] { FailRequirement("Failed requirement: x"); }));
    EXPECT_EQ("<NULL>", FailureText([] { FailRequirement(nullptr); }));
    // A standard error that cannot be written loses the line, nothing more.
    std::stringbuf readOnly(std::ios::in);
    std::streambuf* const standardError = std::cerr.rdbuf(&readOnly);
    std::cerr.exceptions(std::ios::badbit);
    EXPECT_EQ("threw broken", Handle(nullptr, true));
    std::cerr.exceptions(std::ios::goodbit);
    std::cerr.rdbuf(standardError);

    const FailureHandler handler = GetFailureHandler();
    const MessageSink sink = GetMessageSink();
    EXPECT_EQ(sink, SetMessageSink(Record));
    // The default handler names the source where it has one, and throws when asked.
    EXPECT_EQ("source.cpp(42): broken\nthrew source.cpp(42): broken", Handle("source.cpp", true));
    EXPECT_EQ("source.cpp(42): broken\n", Handle("source.cpp", false));
    EXPECT_EQ(handler, SetFailureHandler(Return));
    // A handler that returns does not let the caller go on.
    sunk.clear();
    EXPECT_THROW(FailRequirement("x"), std::runtime_error);
    EXPECT_EQ("returned\n", sunk);
    EXPECT_EQ(Return, SetFailureHandler(nullptr));
    EXPECT_EQ(handler, GetFailureHandler());
    EXPECT_EQ(Record, SetMessageSink(nullptr));
    EXPECT_EQ(sink, GetMessageSink());
}

}  // namespace
