#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CommandLineCases.h"

// The cross-built Windows program under Wine, on Wine's WGL, WMI, DXGI and
// Direct3D 9: what the Linux program is pinned to, in CR LF lines.
namespace {

class Wine : public testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("WINEPREFIX") == nullptr || std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "WINEPREFIX and DISPLAY come from scripts/test-windows";
        if (!std::filesystem::exists(TROVEX_WINE)) GTEST_SKIP() << "Wine is not installed";
        if (!std::filesystem::exists(TROVEX_WINDOWS_EXE))
            GTEST_SKIP() << TROVEX_WINDOWS_EXE << " is not built";
    }

    // The Windows program's transcript, with its CR LF line ends made line feeds
    // once every line is found to have one.
    static std::string Windows(const std::vector<std::string>& arguments) {
        std::vector<std::string> wine{TROVEX_WINDOWS_EXE};
        wine.insert(wine.end(), arguments.begin(), arguments.end());
        const std::string transcript = RunTranscript(TROVEX_WINE, wine);
        std::string result;
        size_t crlf = 0;
        for (size_t i = 0; i < transcript.size(); ++i) {
            const bool cr = transcript[i] == '\r' && transcript.compare(i + 1, 1, "\n") == 0;
            crlf += cr;
            if (!cr) result += transcript[i];
        }
        // The transcript's own two lines end in a line feed.
        EXPECT_EQ(crlf + 2, static_cast<size_t>(std::count(result.begin(), result.end(), '\n')))
            << transcript;
        return result;
    }
};

// Wine's adapter names do not meet its display device's, so the record of an
// adapter nothing is known about runs there, as on this machine.
TEST_F(Wine, ReportsAreTheLinuxProgramsReports) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"-app=Velmora"}})
        EXPECT_EQ(RunTranscript(TROVEX_BINARY, arguments), Windows(arguments));
}

TEST_F(Wine, CommandLineRunsAreTheLinuxPrograms) {
    for (const CommandLineCase& c : kCommandLineCases) {
        if ((c.flags & (kProbes | kReportLost)) != 0) continue;
        EXPECT_EQ(Transcript(c.out, c.err, c.status), Windows(c.arguments)) << c.arguments[0];
    }
}

}  // namespace
