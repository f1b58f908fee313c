#include <string>
#include <vector>

#include "ExpectedUsage.h"
#include "WineProgram.h"

// The command line and run control of the Windows program: the same texts and
// statuses as the Linux program gives, in CR LF lines.
namespace {

class WineRunControl : public WineProgram {
protected:
    // Returns the Windows program's run.
    static ProcessResult ExpectAsOnLinux(const std::vector<std::string>& arguments) {
        ProcessResult windows = RunWindows(arguments);
        ProcessResult onLinux = RunLinux(arguments);
        EXPECT_TRUE(EndsLinesWithCRLF(windows.out)) << windows.out;
        EXPECT_TRUE(EndsLinesWithCRLF(windows.err)) << windows.err;
        EXPECT_EQ(onLinux.out, WithLineFeeds(windows.out));
        EXPECT_EQ(onLinux.err, WithLineFeeds(windows.err));
        EXPECT_EQ(onLinux.status, windows.status);
        return windows;
    }
};

}  // namespace

TEST_F(WineRunControl, HelpPrintsTheUsageAndEndsWithThree) {
    ProcessResult r = ExpectAsOnLinux({"?"});
    EXPECT_EQ("", r.out);
    EXPECT_EQ(kExpectedUsage, WithLineFeeds(r.err));
    EXPECT_EQ(3, r.status);
}

TEST_F(WineRunControl, ReplacementTextsAndUnknownOptions) {
    ProcessResult r = ExpectAsOnLinux({"-stdout=a", "-stderr=c", "-stdout=b", "-unknown"});
    EXPECT_EQ("a\r\nb\r\n", r.out);
    EXPECT_EQ("unknown argument ignored: unknown\r\nc\r\n", r.err);
    EXPECT_EQ(0, r.status);
}

TEST_F(WineRunControl, ExitValueDecidesTheStatus) {
    EXPECT_EQ(7, ExpectAsOnLinux({"-stdout=x", "-exit=7"}).status);
    EXPECT_EQ(5, ExpectAsOnLinux({"-failAfter=0", "-exit=5"}).status);
}
