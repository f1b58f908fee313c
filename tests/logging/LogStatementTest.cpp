#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "VLLogging/LogStatement.h"
#include "VLLogging/TrovexLogger.h"
#include "VLLogging/VLLogEntry.h"

namespace {

int messagesBuilt = 0;

std::string Message(const char* text) {
    ++messagesBuilt;
    return text;
}

const std::string kPrefix =
    R"(# \d{5}\.\d{4}\.\d{2}\.\d{2}_\d{2}:\d{2}:\d{2}\.\d{3}\(\+\d{2}\.\d{3}\) )";

}  // namespace

class LogStatement : public testing::Test {
protected:
    void SetUp() override {
        InitLogging();
        ChannelLevel(GPUTrovexChannel) = 0;
    }
    void TearDown() override { ChannelLevel(GPUTrovexChannel) = 0; }
};

TEST_F(LogStatement, BuildsNothingWhileTheChannelIsOff) {
    TrovexLogger logger;
    testing::internal::CaptureStdout();
    TROVEX_LOG(Message("never built"));
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(0, messagesBuilt);
}

TEST_F(LogStatement, WritesOneMarkedLineWhenOnAndKeepsPercentSigns) {
    TrovexLogger logger;
    ChannelLevel(GPUTrovexChannel) = 3;
    testing::internal::CaptureStdout();
    TROVEX_LOG("100% " << Message("done") << " %s %d");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(out, std::regex(kPrefix + "100% done %s %d\n"))) << out;
}

TEST_F(LogStatement, ProgramLoggerNumbersItsLinesAcrossStatements) {
    TrovexLogger logger;
    ChannelLevel(GPUTrovexChannel) = 1;
    testing::internal::CaptureStdout();
    TROVEX_LOG("a");
    TROVEX_LOG("b");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(0u, out.find("# 00000."));
    EXPECT_NE(std::string::npos, out.find("\n# 00001.")) << out;
}

TEST_F(LogStatement, TimedEntryWritesBeginAndEndWithDuration) {
    TrovexLogger logger;
    testing::internal::CaptureStdout();
    {
        std::ostringstream name;
        name << "main";
        VLLogEntry entry(__FILE__, __LINE__, name);
    }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(
        out, std::regex(kPrefix + "BEGIN main\n" + kPrefix + "END main, duration=[-0-9.e]+\n")))
        << out;
}
