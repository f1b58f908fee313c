#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "VLLogging/FormatString.h"
#include "VLLogging/LoggingState.h"
#include "VLLogging/VLDebugStrLogger.h"
#include "VLLogging/VLStdioLogger.h"

namespace {

// A stdio logger on a temporary file whose text the test can read back.
class CapturedLogger {
public:
    CapturedLogger() : file(std::tmpfile()), logger(file) {}
    ~CapturedLogger() { std::fclose(file); }

    std::string Text() {
        std::fflush(file);
        std::rewind(file);
        std::string text;
        char buffer[1024];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        return text;
    }

    FILE* file;
    VLStdioLogger logger;
};

void Log(VLLogger& logger, const char* format, ...) {
    va_list args;
    va_start(args, format);
    logger.LogV(__FILE__, __LINE__, format, args);
    va_end(args);
}

const std::string kPrefix =
    R"(\d{5}\.\d{4}\.\d{2}\.\d{2}_\d{2}:\d{2}:\d{2}\.\d{3}\(\+\d{2}\.\d{3}\) )";

}  // namespace

class Logger : public testing::Test {
protected:
    void SetUp() override { InitLogging(); }
};

TEST_F(Logger, PrefixCountsLinesFromZeroAndFirstDeltaIsZero) {
    CapturedLogger captured;
    Log(captured.logger, "first");
    Log(captured.logger, "second %d", 2);
    Log(captured.logger, "third");
    std::string text = captured.Text();
    EXPECT_TRUE(std::regex_match(
        text, std::regex("00000" + kPrefix.substr(5) + "first\n00001" + kPrefix.substr(5) +
                         "second 2\n00002" + kPrefix.substr(5) + "third\n")))
        << text;
    EXPECT_NE(std::string::npos, text.find("(+00.000) first\n")) << text;
}

TEST_F(Logger, LineEndsAreAddedOnlyWhenMissing) {
    CapturedLogger captured;
    Log(captured.logger, "ends with LF\n");
    Log(captured.logger, "ends with CR\r");
    Log(captured.logger, "%s", "");
    std::string text = captured.Text();
    EXPECT_TRUE(std::regex_match(
        text, std::regex(kPrefix + "ends with LF\n" + kPrefix + "ends with CR\r" + kPrefix + "\n")))
        << text;
}

TEST_F(Logger, LongMessagesAreWrittenWhole) {
    CapturedLogger captured;
    std::string longText(1000, 'x');
    Log(captured.logger, "%s|%s", longText.c_str(), "end");
    EXPECT_NE(std::string::npos, captured.Text().find(longText + "|end\n"));
    EXPECT_EQ(std::string(255, 'y'), StringPrintf("%s", std::string(255, 'y').c_str()));
    EXPECT_EQ(std::string(256, 'y'), StringPrintf("%s", std::string(256, 'y').c_str()));
}

TEST_F(Logger, DebuggerLinesEndWithCarriageReturnLineFeed) {
    CapturedLogger captured;
    VLDebugStrLogger debugLogger;
    EXPECT_EQ("\r\n", debugLogger.LineEnd());
    EXPECT_EQ("\n", captured.logger.LineEnd());
    EXPECT_EQ("DebugStr", debugLogger.Name());
}

TEST_F(Logger, StdioLoggersAreNamedForTheirStream) {
    VLStdioLogger toOut(stdout);
    VLStdioLogger toErr(stderr);
    VLStdioLogger toNothing(nullptr);
    EXPECT_EQ("stdout", toOut.Name());
    EXPECT_EQ("stderr", toErr.Name());
    EXPECT_EQ("FILE*", toNothing.Name());
    Log(toNothing, "dropped without a stream");
}

TEST_F(Logger, NewLoggerIsAnnouncedToThePreviousAndPoppedBack) {
    CapturedLogger outer;
    EXPECT_EQ(&outer.logger, CurrentLogger());
    {
        CapturedLogger inner;
        EXPECT_EQ(&inner.logger, CurrentLogger());
        Log(inner.logger, "inner line");
        EXPECT_TRUE(std::regex_match(inner.Text(), std::regex(kPrefix + "inner line\n")));
    }
    EXPECT_EQ(&outer.logger, CurrentLogger());
    std::string text = outer.Text();
    EXPECT_TRUE(std::regex_match(
        text, std::regex("00000" + kPrefix.substr(5) + "Activating new logger FILE\\*\n00001" +
                         kPrefix.substr(5) + "Deactivating logger FILE\\*\n")))
        << text;
}

TEST_F(Logger, DestroyingAMiddleLoggerRelinksTheStack) {
    CapturedLogger* bottom = new CapturedLogger;
    CapturedLogger* middle = new CapturedLogger;
    CapturedLogger* top = new CapturedLogger;
    delete middle;
    // Whichever logger goes, the current one becomes the destroyed one's older.
    EXPECT_EQ(&bottom->logger, CurrentLogger());
    delete top;
    EXPECT_EQ(&bottom->logger, CurrentLogger());
    delete bottom;
}

TEST_F(Logger, BaseNameIsTheLastComponent) {
    CapturedLogger captured;
    EXPECT_EQ("file.cpp", captured.logger.BaseName("C:\\src\\file.cpp"));
    EXPECT_EQ("file.cpp", captured.logger.BaseName("/src/file.cpp"));
    EXPECT_EQ("dir/", captured.logger.BaseName("/src/dir/"));
    EXPECT_EQ("", captured.logger.BaseName(nullptr));
    EXPECT_EQ("", captured.logger.LocationText("file.cpp", 3));
}

// Fills the process-wide table, so it runs in a child process of its own.
bool ChannelTableOverflowsAfterOneHundred() {
    InitLogging();
    int lastIndex = 0;
    for (int i = 0; i < 200; ++i) {
        int index = RegisterLogChannel(("channel" + std::to_string(i)).c_str(), 5);
        if (index == 0) break;
        lastIndex = index;
    }
    LogChannel one = {"overflow-one", 7, 0};
    LogChannel two = {"overflow-two", 8, 0};
    LogChannel registered = {"channel0", 0, 0};
    int& fallback = ChannelLevel(one);
    return lastIndex == 100 && &fallback == &ChannelLevel(two) && one.index == 0 &&
           ChannelLevel(registered) == 5 && &fallback != &ChannelLevel(registered);
}

TEST(LoggerDeathTest, ChannelTableHoldsOneHundredChannelsThenSharesTheFallbackSlot) {
    EXPECT_EXIT(std::exit(ChannelTableOverflowsAfterOneHundred() ? 0 : 1),
                testing::ExitedWithCode(0), "");
}

TEST_F(Logger, RegisteringAgainKeepsIndexAndLevel) {
    LogChannel channel = {"repeat-channel", 4, 0};
    int& level = ChannelLevel(channel);
    EXPECT_EQ(4, level);
    level = 9;
    EXPECT_EQ(channel.index, RegisterLogChannel("repeat-channel", 1));
    EXPECT_EQ(9, ChannelLevel(channel));
}
