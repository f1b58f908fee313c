#include <gtest/gtest.h>

#include <cstdarg>
#include <filesystem>
#include <string>

#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

int Length(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = Platform::FormattedLength(format, args);
    va_end(args);
    return length;
}

int Into(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int written = Platform::FormatInto(buffer, size, format, args);
    va_end(args);
    return written;
}

std::string ReadAll(const std::string& path) {
    std::string text;
    FILE* file = Platform::OpenShared(path.c_str(), "r");
    if (file == nullptr) return text;
    char buffer[256];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    fclose(file);
    return text;
}

}  // namespace

TEST(Clock, MicrosecondClockAgreesWithCalendarTime) {
    int64_t seconds = Platform::Time64();
    int64_t micros = Platform::SystemTimeMicroseconds();
    EXPECT_NEAR(static_cast<double>(seconds), static_cast<double>(micros / 1000000), 1.0);
}

TEST(Clock, LocalTimeFailsOutsideTheRuntimeRange) {
    std::tm local{};
    ASSERT_TRUE(Platform::LocalTime64(Platform::Time64(), local));
    EXPECT_GE(local.tm_year + 1900, 2024);
    EXPECT_FALSE(Platform::LocalTime64(-1, local));
    const int64_t year4000 = 64060588800LL;
    EXPECT_FALSE(Platform::LocalTime64(year4000, local));
}

TEST(Formatting, FormatsWhatFitsAndRefusesWhatDoesNot) {
    EXPECT_EQ(9, Length("%s=%d", "abcd", 1234));
    char buffer[10];
    EXPECT_EQ(9, Into(buffer, sizeof buffer, "%s=%d", "abcd", 1234));
    EXPECT_STREQ("abcd=1234", buffer);
    EXPECT_EQ(-1, Into(buffer, 9, "%s=%d", "abcd", 1234));

    std::string line(300, 'x');
    std::string formatted(301, '\0');
    EXPECT_EQ(300, Into(&formatted[0], formatted.size(), "%s", line.c_str()));
    EXPECT_EQ(line, formatted.c_str());
}

TEST(ProfileFolder, IsTheFolderThatHoldsTheDesktop) {
    std::string folder = Platform::ProfileFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::path(folder).is_absolute()) << folder;
    EXPECT_TRUE(fs::is_directory(fs::path(folder) / "Desktop")) << folder;
}

TEST(SharedFile, TwoWritersAppendToOneFile) {
    std::string path = (fs::temp_directory_path() / "trovex-platform-test.txt").string();
    fs::remove(path);
    FILE* first = Platform::OpenShared(path.c_str(), "a");
    ASSERT_NE(nullptr, first);
    fputs("one\n", first);
    fflush(first);
    FILE* second = Platform::OpenShared(path.c_str(), "a");
    ASSERT_NE(nullptr, second);
    fputs("two\n", second);
    fclose(second);
    EXPECT_EQ("one\ntwo\n", ReadAll(path));
    fclose(first);
    fs::remove(path);
}
