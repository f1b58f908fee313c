#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExpectedUsage.h"
#include "ProcessRun.h"

namespace {

ProcessResult Trovex(const std::vector<std::string>& arguments, bool merge = false) {
    ProcessOptions options;
    options.mergeErrorIntoOutput = merge;
    return RunProcess(TROVEX_BINARY, arguments, options);
}

}  // namespace

TEST(RunControl, EveryHelpFormPrintsUsageAndEndsWithThree) {
    for (const char* help : {"help", "-help", "--help", "/?", "?", "xhelpx", "-comment=help"}) {
        ProcessResult r = Trovex({help});
        EXPECT_EQ("", r.out) << help;
        EXPECT_EQ(kExpectedUsage, r.err) << help;
        EXPECT_EQ(3, r.status) << help;
    }
}

TEST(RunControl, UpperCaseHelpIsAnUnknownOption) {
    ProcessResult r = Trovex({"-HELP", "-stdout=ran"});
    EXPECT_EQ("ran\n", r.out);
    EXPECT_EQ("unknown argument ignored: HELP\n", r.err);
    EXPECT_EQ(0, r.status);
}

TEST(RunControl, ReplacementTextsComeInOrderOutputFirst) {
    ProcessResult r = Trovex({"-stderr=c", "-stdout=a", "-verbose", "-stdout=b"}, true);
    EXPECT_EQ("a\nb\nc\n", r.out);
    EXPECT_EQ(0, r.status);
}

TEST(RunControl, OnlyErrorTextsStillReplaceTheReport) {
    ProcessResult r = Trovex({"-stderr=oops"});
    EXPECT_EQ("", r.out);
    EXPECT_EQ("oops\n", r.err);
    EXPECT_EQ(0, r.status);
}

TEST(RunControl, CommentsAreWrittenWhileParsing) {
    ProcessResult r = Trovex({"-comment=\"a b\"", "-comment=\"", "-stdout=x", "-comment=late"});
    EXPECT_EQ("# a b\n# \"\n# late\nx\n", r.out);
    EXPECT_EQ("", r.err);
}

TEST(RunControl, UnknownOptionsCostALineEachAndNothingElse) {
    ProcessResult r =
        Trovex({"-", "---x", "-args=opts.txt", "-foo=\"bar\"", "/exit=4", "-stdout=ok"});
    EXPECT_EQ("ok\n", r.out);
    EXPECT_EQ(
        "unknown argument ignored: \n"
        "unknown argument ignored: -x\n"
        "unknown argument ignored: args=opts.txt\n"
        "unknown argument ignored: foo=\"bar\"\n",
        r.err);
    EXPECT_EQ(0, r.status);
}

TEST(RunControl, ExitValueDecidesTheStatusAndTheLastOneWins) {
    EXPECT_EQ(7, Trovex({"-stdout=x", "-exit=7"}).status);
    EXPECT_EQ(5, Trovex({"-exit=1", "-stdout=x", "-exit=5"}).status);
    EXPECT_EQ(0, Trovex({"-exit=abc", "-stdout=x"}).status);
}

TEST(RunControl, HangCountsDownOneLinePerSecondAfterTheRun) {
    ProcessResult r = Trovex({"-hang=2", "-stdout=x"});
    EXPECT_EQ("x\ndelayExit=2\ndelayExit=1\n", r.out);
    EXPECT_GE(r.seconds, 1.9);
    EXPECT_LT(r.seconds, 4.0);
    EXPECT_EQ(0, r.status);
}

TEST(RunControl, NegativeHangDoesNotWait) {
    ProcessResult r = Trovex({"-hang=-5", "-stdout=x"});
    EXPECT_EQ("x\n", r.out);
    EXPECT_LT(r.seconds, 1.0);
}

TEST(RunControl, AReportThatCannotBeWrittenFailsTheRunUnlessExitIsGiven) {
    ProcessOptions options;
    options.outputFile = "/dev/full";
    const std::string lost = "exception: cannot write the report: No space left on device\n";
    ProcessResult r = RunProcess(TROVEX_BINARY, {}, options);
    EXPECT_EQ(lost, r.err);
    EXPECT_EQ(2, r.status);
    r = RunProcess(TROVEX_BINARY, {"-exit=0"}, options);
    EXPECT_EQ(lost, r.err);
    EXPECT_EQ(0, r.status);
    // Comments are written while the command line is read, before the rest.
    r = RunProcess(TROVEX_BINARY, {"-comment=c", "-stderr=e"}, options);
    EXPECT_EQ("e\n" + lost, r.err);
    EXPECT_EQ(2, r.status);
}
