#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "failure/FailRequirement.h"

namespace {

std::string lastSinkText;
void RecordingSink(const char* text) { lastSinkText = NullToText(text); }

bool handlerCalled = false;
void ReturningHandler(const char*, int, const char*, bool) { handlerCalled = true; }

}  // namespace

TEST(FailRequirement, WritesTheTextOnStandardErrorAndThrowsTheSameText) {
    testing::internal::CaptureStderr();
    try {
        FailRequirement("Failed requirement: glStatus == GL_NO_ERROR");
        FAIL() << "FailRequirement returned";
    } catch (const std::runtime_error& e) {
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ("Failed requirement: glStatus == GL_NO_ERROR\n", err);
        EXPECT_EQ(err.substr(0, err.size() - 1), e.what());
    }
}

TEST(FailRequirement, NullMessageBecomesNullText) {
    testing::internal::CaptureStderr();
    try {
        FailRequirement(nullptr);
        FAIL() << "FailRequirement returned";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ("<NULL>\n", testing::internal::GetCapturedStderr());
        EXPECT_STREQ("<NULL>", e.what());
    }
}

TEST(FailRequirement, DefaultHandlerPrefixesFileAndLineWhenGiven) {
    MessageSink previous = SetMessageSink(RecordingSink);
    EXPECT_THROW(GetFailureHandler()("source.cpp", 42, "broken", true), std::runtime_error);
    EXPECT_EQ("source.cpp(42): broken", lastSinkText);
    GetFailureHandler()("source.cpp", 7, "noted", false);
    EXPECT_EQ("source.cpp(7): noted", lastSinkText);
    SetMessageSink(previous);
}

TEST(FailRequirement, SlotsAnswerTheDefaultsUntilReplacedAndGiveBackThePrevious) {
    FailureHandler defaultHandler = GetFailureHandler();
    ASSERT_NE(nullptr, defaultHandler);
    EXPECT_EQ(defaultHandler, SetFailureHandler(ReturningHandler));
    EXPECT_EQ(ReturningHandler, GetFailureHandler());
    EXPECT_EQ(ReturningHandler, SetFailureHandler(nullptr));
    EXPECT_EQ(defaultHandler, GetFailureHandler());

    MessageSink defaultSink = GetMessageSink();
    EXPECT_EQ(defaultSink, SetMessageSink(RecordingSink));
    EXPECT_EQ(RecordingSink, SetMessageSink(nullptr));
    EXPECT_EQ(defaultSink, GetMessageSink());
}

TEST(FailRequirement, NeverReturnsEvenWhenAHandlerDoes) {
    SetFailureHandler(ReturningHandler);
    EXPECT_THROW(FailRequirement("still fails"), std::runtime_error);
    EXPECT_TRUE(handlerCalled);
    SetFailureHandler(nullptr);
}

TEST(NullToText, PassesTextThroughAndNamesNull) {
    const char* text = "x";
    EXPECT_EQ(text, NullToText(text));
    EXPECT_STREQ("<NULL>", NullToText(nullptr));
}
