// The platform layer on Windows itself.
#include <gtest/gtest.h>

#include <cstdarg>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

// The length FormattedLength gives, then what FormatInto answers and writes into a
// buffer of size bytes.
std::string Format(size_t size, const char* format, ...) {
    std::vector<char> buffer(size, '#');
    va_list args;
    va_start(args, format);
    const int length = Platform::FormattedLength(format, args);
    const int written = Platform::FormatInto(buffer.data(), size, format, args);
    va_end(args);
    return std::to_string(length) + " " + std::to_string(written) + " " +
           (written >= 0 ? buffer.data() : "");
}

TEST(Platform, FormatsWhatFitsAndRefusesWhatDoesNotAndKeepsTheTime) {
    EXPECT_EQ("9 9 abcd=1234", Format(10, "%s=%d", "abcd", 1234));
    EXPECT_EQ("9 -1 ", Format(9, "%s=%d", "abcd", 1234));
    // The clocks agree, and local time keeps to the runtime's range.
    EXPECT_NEAR(Platform::Time64(), Platform::SystemTimeMicroseconds() / 1000000, 1);
    std::tm local{};
    ASSERT_TRUE(Platform::LocalTime64(Platform::Time64(), local));
    EXPECT_GE(local.tm_year + 1900, 2024);
    EXPECT_FALSE(Platform::LocalTime64(-1, local));
    EXPECT_FALSE(Platform::LocalTime64(64060588800LL, local));  // the year 4000
}

TEST(Platform, SharedFilesTakeTwoWritersAtOnce) {
    const fs::path path = fs::temp_directory_path() / "trovex-platform-test.txt";
    fs::remove(path);
    FILE* first = Platform::OpenShared(path.string().c_str(), "a");
    FILE* second = Platform::OpenShared(path.string().c_str(), "a");
    ASSERT_TRUE(first != nullptr && second != nullptr);
    fputs("one\n", first);
    fclose(first);
    fputs("two\n", second);
    fclose(second);
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    EXPECT_EQ("one\ntwo\n", text.str());
    fs::remove(path);
}

}  // namespace
