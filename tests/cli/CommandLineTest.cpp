#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ExpectedUsage.h"

namespace {

struct Parsed {
    CommandLineSettings settings;
    std::string out;
    std::string err;
};

Parsed Parse(std::initializer_list<const char*> arguments) {
    std::vector<const char*> argv = {"GPUTrovex"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::ostringstream out, err;
    Parsed parsed;
    ParseCommandLine(static_cast<int>(argv.size()), argv.data(), parsed.settings, out, err);
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

bool IsHelp(std::initializer_list<const char*> arguments) {
    try {
        Parse(arguments);
        return false;
    } catch (const UsageException&) {
        return true;
    }
}

}  // namespace

TEST(CommandLine, DefaultsWithoutArguments) {
    Parsed p = Parse({});
    EXPECT_EQ("", p.settings.applicationName);
    EXPECT_EQ(-1, p.settings.failAfter);
    EXPECT_EQ(-1, p.settings.throwAfter);
    EXPECT_EQ(0, p.settings.hangSeconds);
    EXPECT_EQ(0, p.settings.verbosity);
    EXPECT_FALSE(p.settings.exitRequested);
    EXPECT_TRUE(p.settings.stdoutTexts.empty());
    EXPECT_EQ("", p.out + p.err);
}

TEST(CommandLine, HelpNeedsExactlyOneArgumentContainingHelpOrQuestionMark) {
    for (const char* help : {"help", "-help", "--help", "/?", "?", "xhelpx"})
        EXPECT_TRUE(IsHelp({help})) << help;
    EXPECT_FALSE(IsHelp({"-HELP"}));
    EXPECT_FALSE(IsHelp({"help", "-verbose"}));
    EXPECT_FALSE(IsHelp({"-comment=?", "-verbose"}));
}

TEST(CommandLine, HelpStopsBeforeAnyOptionIsApplied) {
    std::vector<const char*> argv = {"GPUTrovex", "-comment=help"};
    std::ostringstream out, err;
    CommandLineSettings settings;
    EXPECT_THROW(ParseCommandLine(2, argv.data(), settings, out, err), UsageException);
    EXPECT_EQ("", out.str());
}

TEST(CommandLine, UpperCaseHelpIsAnUnknownOption) {
    Parsed p = Parse({"-HELP"});
    EXPECT_EQ("unknown argument ignored: HELP\n", p.err);
}

TEST(CommandLine, NumbersConvertLikeAtoi) {
    EXPECT_EQ(0, Parse({"-failAfter"}).settings.failAfter);
    EXPECT_EQ(12, Parse({"-failAfter=12abc"}).settings.failAfter);
    EXPECT_EQ(-3, Parse({"-throwAfter=  -3"}).settings.throwAfter);
    EXPECT_EQ(0, Parse({"-hang=x"}).settings.hangSeconds);
    EXPECT_EQ(1, Parse({"-verbose"}).settings.verbosity);
    EXPECT_EQ(1, Parse({"-verbose="}).settings.verbosity);
    EXPECT_EQ(3, Parse({"-verbose=3"}).settings.verbosity);
    EXPECT_EQ(0, Parse({"-verbose=abc"}).settings.verbosity);
}

TEST(CommandLine, LastSingleValueWinsAndListsCollectInOrder) {
    Parsed p = Parse({"-exit=1", "-stdout=a", "-exit=5", "-stdout=b", "-stderr=c"});
    EXPECT_TRUE(p.settings.exitRequested);
    EXPECT_EQ(5, p.settings.exitValue);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), p.settings.stdoutTexts);
    EXPECT_EQ((std::vector<std::string>{"c"}), p.settings.stderrTexts);
}

TEST(CommandLine, ValueSyntax) {
    EXPECT_EQ("x=y", Parse({"-stdout=x=y"}).settings.stdoutTexts.at(0));
    EXPECT_EQ("a b", Parse({"-stdout=\"a b\""}).settings.stdoutTexts.at(0));
    EXPECT_EQ("\"", Parse({"-stdout=\""}).settings.stdoutTexts.at(0));
    EXPECT_EQ("", Parse({"-stdout=\"\""}).settings.stdoutTexts.at(0));
    EXPECT_EQ("a\"b", Parse({"-stdout=a\"b"}).settings.stdoutTexts.at(0));
}

TEST(CommandLine, ApplicationNameIsComparedExactlyLater) {
    EXPECT_EQ("Velmora", Parse({"--app=Velmora"}).settings.applicationName);
    EXPECT_EQ("velmora", Parse({"-app=velmora"}).settings.applicationName);
    EXPECT_EQ("Velmora ", Parse({"-app=Velmora "}).settings.applicationName);
    EXPECT_STREQ("Velmora", kHostApplicationName);
}

TEST(CommandLine, CommentsAreWrittenAtOnceInOrder) {
    Parsed p = Parse({"-comment=\"a b\"", "-comment=\"", "-comment=", "-bogus", "-comment=last"});
    EXPECT_EQ("# a b\n# \"\n# \n# last\n", p.out);
    EXPECT_EQ("unknown argument ignored: bogus\n", p.err);
}

TEST(CommandLine, UnknownOptionsAreReportedAsTyped) {
    Parsed p = Parse({"-", "---x", "-args=opts.txt", "-foo=\"bar\"", "-Verbose", "--"});
    EXPECT_EQ(
        "unknown argument ignored: \n"
        "unknown argument ignored: -x\n"
        "unknown argument ignored: args=opts.txt\n"
        "unknown argument ignored: foo=\"bar\"\n"
        "unknown argument ignored: Verbose\n"
        "unknown argument ignored: \n",
        p.err);
}

TEST(CommandLine, ArgumentsWithoutDashAreSkippedSilently) {
    Parsed p = Parse({"help", "/verbose", "", "exit=3", "-verbose"});
    EXPECT_EQ("", p.out + p.err);
    EXPECT_EQ(1, p.settings.verbosity);
    EXPECT_FALSE(p.settings.exitRequested);
}

TEST(CommandLine, TimeoutIsAcceptedWithoutEffect) {
    Parsed p = Parse({"-timeout=9"});
    EXPECT_EQ("", p.err);
}

TEST(CommandLine, UsageText) {
    std::ostringstream err;
    WriteUsage(err, UsageException());
    EXPECT_EQ(kExpectedUsage, err.str());
}
