#include <gtest/gtest.h>

#include <cstdarg>
#include <fstream>
#include <sstream>
#include <string>

#include "FakeProfileFolder.h"
#include "TempFolder.h"
#include "VLLogging/LoggingState.h"
#include "VLLogging/VLFileLogger.h"

namespace {

namespace fs = std::filesystem;

void Log(VLLogger& logger, const char* format, ...) {
    va_list args;
    va_start(args, format);
    logger.LogV(__FILE__, __LINE__, format, args);
    va_end(args);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path.string().c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path.string().c_str(), std::ios::binary) << text;
}

}  // namespace

class FileLogger : public testing::Test {
protected:
    void SetUp() override {
        InitLogging();
        fakeProfileFolder = folder.Path();
    }
    void TearDown() override { fakeProfileFolder.clear(); }

    fs::path InFolder(const char* name) { return fs::path(folder.Path()) / name; }

    TempFolder folder;
};

TEST_F(FileLogger, LivesInTheProfileFolderUnderItsName) {
    VLFileLogger unnamed;
    EXPECT_EQ("vllog.txt", unnamed.Name());
    EXPECT_EQ(InFolder("vllog.txt"), unnamed.Path());
    EXPECT_EQ(fs::path(folder.Path()), LogFolder());
}

TEST_F(FileLogger, FirstLoggerStartsAFreshFileAndCreatesNothingBeforeItWrites) {
    WriteFile(InFolder("fresh.txt"), "old run\n");
    {
        VLFileLogger logger("fresh.txt");
        EXPECT_FALSE(fs::exists(InFolder("fresh.txt")));
        Log(logger, "line %d", 1);
        std::string text = ReadFile(InFolder("fresh.txt"));
        EXPECT_EQ(std::string::npos, text.find("old run"));
        EXPECT_NE(std::string::npos, text.find(") line 1\n"));
    }
    EXPECT_TRUE(fs::exists(InFolder("fresh.txt")));
}

TEST_F(FileLogger, LaterLoggersForThePathAppend) {
    {
        VLFileLogger first("shared.txt");
        Log(first, "from first");
    }
    VLFileLogger second("shared.txt");
    Log(second, "from second");
    std::string text = ReadFile(InFolder("shared.txt"));
    EXPECT_NE(std::string::npos, text.find("from first\n"));
    EXPECT_NE(std::string::npos, text.find("from second\n"));
}

TEST_F(FileLogger, FileIsClosedAfterEveryLineSoOthersSeeItWhole) {
    VLFileLogger logger("open-close.txt");
    Log(logger, "one");
    // Another writer may append between our lines.
    std::ofstream(InFolder("open-close.txt").string().c_str(), std::ios::app) << "other\n";
    Log(logger, "two");
    std::string text = ReadFile(InFolder("open-close.txt"));
    EXPECT_LT(text.find("one\n"), text.find("other\n"));
    EXPECT_LT(text.find("other\n"), text.find("two\n"));
}

TEST_F(FileLogger, EmptyFileIsRemovedAtTheEnd) {
    {
        VLFileLogger logger("empty.txt");
        WriteFile(InFolder("empty.txt"), "");
    }
    EXPECT_FALSE(fs::exists(InFolder("empty.txt")));
}

TEST_F(FileLogger, UnwritableFolderDropsLinesWithoutFailing) {
    fakeProfileFolder = folder.Path() + "/missing/deeper";
    VLFileLogger logger("lost.txt");
    Log(logger, "nowhere to go");
    EXPECT_FALSE(fs::exists(logger.Path()));
}
