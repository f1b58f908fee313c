#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "CommandLineCases.h"
#include "ReportGrammar.h"

namespace {

const std::string kSimulated = TROVEX_SIMULATED_DIR;

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, WritesAndEndsAsTheHostExpects) {
    const CommandLineCase& c = GetParam();
    ProcessOptions options;
    options.environment = {"TROVEX_SIMULATION=" + kSimulated + "/machines/two-of-each.txt"};
    if (c.flags & kReportLost) options.outputFile = "/dev/full";
    const std::string expected = c.flags & kProbes
                                     ? ReadFile(kSimulated + "/expected/" + c.out + ".txt")
                                     : Transcript(c.out, c.err, c.status);
    const auto started = std::chrono::steady_clock::now();
    const std::string transcript = RunTranscript(TROVEX_SIMULATED_BINARY, c.arguments, options);
    if (c.flags & kWaits) {
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
    }
    // Log lines carry times of their own: they are counted, not compared.
    std::string run, logs;
    static const std::regex logLine(std::string(kLogLinePattern) + ".*");
    for (const std::string& line : Lines(transcript))
        (std::regex_match(line, logLine) ? logs : run) += line + "\n";
    EXPECT_EQ(expected, run);
    EXPECT_EQ((c.flags & kLogs) != 0, !logs.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(kCommandLineCases));

}  // namespace
