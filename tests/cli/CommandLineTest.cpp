#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "ReportModel.h"

// The command line as the host uses it: what each run writes and how it ends.
// The probing runs are those of the simulated machine with two GPUs of each kind.
// The Wine build of this test runs the Windows program, which has no simulated
// machine, on the runs that do not probe.
namespace {

// What a case's flags say: out names an expected transcript of the simulated
// machine (kProbes); log lines come between the report lines (kLogs); standard
// output is /dev/full (kReportLost); the run waits a second before it ends (kWaits).
enum CommandLineFlags { kProbes = 1, kLogs = 2, kReportLost = 4, kWaits = 8 };

struct CommandLineCase {
    std::vector<std::string> arguments;
    std::string out, err;
    int status, flags;
};

const std::string kUsage = ReadFile(TROVEX_CLI_DIR "/usage.txt");
const char kFailure[] = "exception: programmed failure\n";
const char kLost[] = "exception: cannot write the report: No space left on device\n";
const std::string kUnknown = "unknown argument ignored: ";

// clang-format off
const CommandLineCase kCommandLineCases[] = {
    // Help is one argument holding "help" or "?", before any option is applied.
    {{"help"}, "", kUsage, 3, 0},
    {{"/?"}, "", kUsage, 3, 0},
    {{"xhelpx"}, "", kUsage, 3, 0},
    {{"-comment=help"}, "", kUsage, 3, 0},
    {{"-HELP", "-stdout=ran"}, "ran\n", kUnknown + "HELP\n", 0, 0},
    {{"help", "-stdout=x"}, "x\n", "", 0, 0},
    {{"-comment=?", "-stdout=x"}, "# ?\nx\n", "", 0, 0},
    // Texts in place of the report, comments at once, unknown options a line each. A
    // value loses its quotes only where it has one at each end; so it is for every
    // option, below too.
    {{"-stderr=c", "-stdout=a", "-verbose", "-stdout=b"}, "a\nb\n", "c\n", 0, 0},
    {{"-stderr=\"oops", "-stderr=oops\""}, "", "\"oops\noops\"\n", 0, 0},
    {{"-comment=\"a b\"", "-comment=\"", "-comment=\"f", "-comment=b\"", "-comment=", "-stdout=x",
      "-comment=late"}, "# a b\n# \"\n# \"f\n# b\"\n# \n# late\nx\n", "", 0, 0},
    {{"-stdout=x=y", "-stdout=\"a b\"", "-stdout=\"", "-stdout=\"\"", "-stdout=a\"b", "-stdout=\"f",
      "-stdout=b\""}, "x=y\na b\n\"\n\na\"b\n\"f\nb\"\n", "", 0, 0},
    {{"-", "---x", "-args=opts.txt", "-foo=\"bar\"", "/exit=4", "-Verbose", "--", "", "exit=3",
      "-stdout=ok"},
     "ok\n", kUnknown + "\n" + kUnknown + "-x\n" + kUnknown + "args=opts.txt\n" + kUnknown +
     "foo=\"bar\"\n" + kUnknown + "Verbose\n" + kUnknown + "\n", 0, 0},
    // The last -exit decides the status; a number reads as atoi reads it.
    {{"-stdout=x", "-exit=7\""}, "x\n", "", 7, 0},
    {{"-exit=1", "-stdout=x", "-exit=5"}, "x\n", "", 5, 0},
    {{"-exit=\"5x", "-stdout=x"}, "x\n", "", 0, 0},
    {{"-failAfter=\"1x", "-exit=0"}, "", kFailure, 0, 0},
    {{"-failAfter"}, "", kFailure, 2, 0},
    {{"-failAfter=1\""}, "trovexStart=\"TIME\"\n", kFailure, 2, 0},
    {{"-throwAfter=\"1x"}, "", "exception: Programmed throw\n", 2, 0},
    {{"-throwAfter=  -3\"", "-app=Velmora\""}, "two-of-each", "", 0, kProbes},
    {{"--app=Velmora"}, "two-of-each.host", "", 0, kProbes},
    // The countdown after the run; -timeout changes nothing; a failed run ends at once.
    {{"-hang=1\"", "-stdout=x"}, "x\ndelayExit=1\n", "", 0, kWaits},
    {{"-hang=-5", "-stdout=x"}, "x\n", "", 0, 0},
    {{"-hang=\"1x", "-timeout=3", "-stdout=x"}, "x\n", "", 0, 0},
    {{"-failAfter=0", "-hang=2"}, "", kFailure, 2, 0},
    {{"-verbose"}, "two-of-each", "", 0, kProbes | kLogs},
    {{"-verbose=\"1", "-app=\"Velmora"}, "two-of-each", "", 0, kProbes},
    // A report the host never got is no success, unless -exit says otherwise.
    {{}, "", kLost, 2, kReportLost},
    {{"-exit=0"}, "", kLost, 0, kReportLost},
    {{"-comment=c", "-stderr=e"}, "", "e\n" + std::string(kLost), 2, kReportLost},
    {{"-stdout=x"}, "", kLost, 2, kReportLost},
};
// clang-format on

void PrintTo(const CommandLineCase& c, std::ostream* out) {
    *out << testing::PrintToString(c.arguments);
}

const std::string kSimulated = TROVEX_SIMULATED_DIR, kProgram = TROVEX_SIMULATED_BINARY;

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, WritesAndEndsAsTheHostExpects) {
    const CommandLineCase& c = GetParam();
    if ((c.flags & kProbes) && kProgram.find(".exe") != std::string::npos)
        GTEST_SKIP() << "the probing runs are the simulated machine's";
    const ProcessOptions options{{"TROVEX_SIMULATION=" + kSimulated + "/machines/two-of-each.txt"},
                                 0,
                                 c.flags & kReportLost ? "/dev/full" : ""};
    const std::string expected = c.flags & kProbes
                                     ? ReadFile(kSimulated + "/expected/" + c.out + ".txt")
                                     : Transcript(c.out, c.err, c.status);
    const auto started = std::chrono::steady_clock::now();
    const std::string transcript = RunTranscript(kProgram, c.arguments, options);
    if (c.flags & kWaits) {
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
    }
    // Log lines carry times of their own: they are counted, not compared.
    std::string run, logs;
    static const std::regex logLine(
        R"(# [0-9]{5}\.[0-9]{4}\.[0-9]{2}\.[0-9]{2}_[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\(\+[0-9]{2}\.[0-9]{3}\) .*)");
    for (const std::string& line : Lines(transcript))
        (std::regex_match(line, logLine) ? logs : run) += line + "\n";
    EXPECT_EQ(expected, run);
    EXPECT_EQ((c.flags & kLogs) != 0, !logs.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, testing::ValuesIn(kCommandLineCases));

}  // namespace
