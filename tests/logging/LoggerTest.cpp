// The loggers' effects where they land: a stdio stream, the debugger output (the
// system log here), a file in the profile folder, and the program's standard
// output.
#include <gtest/gtest.h>
#include <syslog.h>

#include <cstdarg>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "ReportModel.h"
#include "TempFolder.h"
#include "VLLogging/FormatString.h"
#include "VLLogging/LogStatement.h"
#include "VLLogging/TrovexLogger.h"
#include "VLLogging/VLDebugStrLogger.h"
#include "VLLogging/VLFileLogger.h"
#include "VLLogging/VLLogEntry.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

static std::string profileFolder;
// The priority and text of every call of syslog.
static std::string syslogged;

// The profile folder file loggers write into, set by the test.
std::string Platform::ProfileFolder() { return profileFolder; }

// The C library's own, replaced: the platform layer hands debugger output to it.
extern "C" void syslog(int priority, const char* format, ...) {
    va_list args;
    va_start(args, format);
    syslogged += "<" + std::to_string(priority) + ">" + FormatString(format, args);
    va_end(args);
}

namespace {

// A line's stamp: its number, the local time to the second, and the seconds since
// the logger's previous line (negative across midnight).
const std::regex kStamp(
    R"((\d{5})\.(\d{4}\.\d{2}\.\d{2}_\d{2}:\d{2}:\d{2})\.\d{3}\(\+(-?\d+\.\d{3})\) )");

// The text with every stamp replaced by its line number.
std::string Numbered(const std::string& text) { return std::regex_replace(text, kStamp, "<$1>"); }

std::string LocalTime(std::time_t time) {
    char text[32];
    std::strftime(text, sizeof text, "%Y.%m.%d_%H:%M:%S", std::localtime(&time));
    return text;
}

// A stdio logger on a stream in memory.
struct Captured {
    ~Captured() {
        std::fclose(file);
        std::free(data);
    }
    // The logger flushes every line it writes, which brings the text up to date.
    std::string Text() { return std::string(data, size); }

    char* data = nullptr;
    size_t size = 0;
    FILE* file = open_memstream(&data, &size);
    VLStdioLogger logger{file};
};

// The program initialises logging before it makes any logger.
const bool initialised = (InitLogging(), true);

// Debugger output gets every line ended with CRLF; the logger it stands over is
// told of it, and is current again after it.
TEST(Logger, WritesEachMessageAsOneStampedLineAndDebuggerOutputEndedWithCRLF) {
    const std::time_t before = std::time(nullptr);
    Captured captured;
    // Messages one short of the formatting buffer's 256 bytes, filling it, and past it.
    const std::string longest(254, 'x');
    SafeLog(&captured.logger, "", 0, "first %d", 1);
    Platform::Sleep(250);
    for (const char* text : {"ends with LF\n", "ends with CR\r", ""})
        SafeLog(&captured.logger, "", 0, "%s", text);
    for (const char* format : {"%s|", "%s||", "%s|||"})
        SafeLog(&captured.logger, "", 0, format, longest.c_str());
    syslogged.clear();
    {
        VLDebugStrLogger debugger;
        SafeLog(&debugger, "", 0, "%s", "50% done");
    }
    EXPECT_EQ("<7><00000><7>50% done<7>\r\n", Numbered(syslogged));
    const std::time_t after = std::time(nullptr);

    const std::string text = captured.Text();
    EXPECT_EQ(
        "<00000>first 1\n<00001>ends with LF\n<00002>ends with CR\r<00003>\n<00004>" + longest +
            "|\n<00005>" + longest + "||\n<00006>" + longest +
            "|||\n<00007>Activating new logger DebugStr\n<00008>Deactivating logger DebugStr\n",
        Numbered(text));
    for (std::sregex_iterator line(text.begin(), text.end(), kStamp), end; line != end; ++line) {
        // The first line has no previous one; the second came after the pause.
        const double delta = std::stod((*line)[3]);
        EXPECT_TRUE(((*line)[2] == LocalTime(before) || (*line)[2] == LocalTime(after)) &&
                    ((*line)[1] == "00001" ? delta >= 0.25 && delta < 2 : delta < 0.25))
            << (*line)[0];
    }
}

TEST(Logger, FileLoggerWritesEveryLineWholeIntoItsFileInTheProfileFolder) {
    TempFolder folder;
    profileFolder = folder.Path();
    const fs::path path = profileFolder + "/vllog.txt", moved = profileFolder + "/moved.txt";
    std::ofstream(path) << "old run\n";
    {
        // The first logger for a path starts a fresh file and creates none until it
        // writes. It closes the file after every line, so that the file is whole
        // whenever the process ends: another writer's line falls between two of its
        // lines, and once the file is moved away its next line starts a new one. A
        // second logger for the path appends.
        VLFileLogger first;
        EXPECT_FALSE(fs::exists(path));
        SafeLog(&first, "", 0, "one");
        std::ofstream(path, std::ios::app) << "other\n";
        fs::rename(path, moved);
        VLFileLogger second;
        SafeLog(&second, "", 0, "two");
    }
    EXPECT_EQ("<00000>one\nother\n", Numbered(ReadFile(moved)));
    EXPECT_EQ(
        "<00001>Activating new logger vllog.txt\n<00000>two\n<00002>Deactivating logger "
        "vllog.txt\n",
        Numbered(ReadFile(path)));
    {
        VLFileLogger empty("empty.txt");
        std::ofstream(profileFolder + "/empty.txt");
    }
    EXPECT_FALSE(fs::exists(profileFolder + "/empty.txt"));
    // Lines that cannot be written are dropped.
    profileFolder = folder.Path() + "/missing";
    VLFileLogger lost("lost.txt");
    SafeLog(&lost, "", 0, "nowhere to go");
    EXPECT_FALSE(fs::exists(lost.Path()));
}

TEST(Logger, ProgramLogWritesMarkedLinesOnStandardOutputWhileItsChannelIsOn) {
    TrovexLogger logger;
    int built = 0;
    testing::internal::CaptureStdout();
    ChannelLevel(GPUTrovexChannel) = 0;
    TROVEX_LOG(++built);
    ChannelLevel(GPUTrovexChannel) = 3;
    TROVEX_LOG("100% done %s " << 7);
    VLLogEntry(__FILE__, __LINE__, std::ostringstream("main"));
    ChannelLevel(GPUTrovexChannel) = 0;
    EXPECT_EQ(0, built);
    const std::string out = Numbered(testing::internal::GetCapturedStdout());
    EXPECT_TRUE(std::regex_match(out, std::regex("# <00000>100% done %s 7\n# <00001>BEGIN main\n"
                                                 "# <00002>END main, duration=[0-9.e-]+\n")))
        << out;
}

}  // namespace
