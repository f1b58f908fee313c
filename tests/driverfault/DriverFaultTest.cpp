// The real program behind fake driver libraries that pass every call to the
// real Mesa and OpenCL loader and alter the answers a case names (the
// variable is described in DriverFault.h). Whatever a driver answers, the run
// ends in bounded time and memory, says on standard error what failed, and
// leaves a report whose every line the host can read, with the driver's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "CaseTable.h"
#include "DriverFault.h"
#include "ProcessRun.h"
#include "ReportGrammar.h"
#include "TempFolder.h"
#include "dataitem/DataItemLValue.h"
#include "dataitem/DescriptionParser.h"

namespace {

const double kTimeLimitSeconds = 10.0;
const long kPeakLimitKilobytes = 300 * 1024;
// Long enough for the run to reach the hanging call, sanitizer build included.
const double kHangKillSeconds = 5.0;

typedef std::vector<std::string> Texts;

// The report's lines, the time stamps left out.
Texts ReportWithoutTimes(const std::string& out) {
    Texts lines = Lines(out);
    for (std::string& line : lines) {
        if (KeyOf(line) == "trovexStart" || KeyOf(line) == "trovexEnd") line = KeyOf(line);
    }
    return lines;
}

// The host tester's argument, then the others.
Texts Arguments(bool host, Texts others = {}) {
    if (host) others.insert(others.begin(), "-app=Velmora");
    return others;
}

// The report of the program on the real drivers alone, once per tester.
const Texts& HealthyReport(bool host) {
    static Texts reports[2];
    if (reports[host].empty())
        reports[host] = ReportWithoutTimes(RunProcess(TROVEX_BINARY, Arguments(host)).out);
    return reports[host];
}

// The program behind the fakes; a bare OpenCL library lacks the command-queue
// functions.
ProcessResult RunBehindFakes(const std::string& fault, Texts arguments, bool hangs, bool bare) {
    ProcessOptions options;
    const char* opencl = bare ? TROVEX_FAKE_OPENCL_WITHOUT_QUEUES_DIR : TROVEX_FAKE_OPENCL_DIR;
    // A sanitizer build would report what the drivers never free.
    options.environment = {std::string("LD_LIBRARY_PATH=") + TROVEX_FAKE_EGL_DIR + ":" + opencl,
                           "TROVEX_DRIVER_FAULT=" + fault, "ASAN_OPTIONS=detect_leaks=0"};
    options.timeLimit = hangs ? kHangKillSeconds : kTimeLimitSeconds;
    return RunProcess(TROVEX_BINARY, arguments, options);
}

// The lines trovex-report prints of a report it reads whole: a "# FILE" line, then
// the report's lines that carry the records, as they stand.
std::string ReportToolOutput(const std::string& path, const std::string& report) {
    std::string out = "# " + path + "\n";
    for (const std::string& line : Lines(report)) {
        for (const char* prefix : {"Tester=", "Num", "glgpu[", "clgpu[", "gputag."}) {
            if (line.compare(0, std::strlen(prefix), prefix) == 0) out += line + "\n";
        }
    }
    return out;
}

// The text the reader reads under the key a detail begins with; rest becomes
// what follows the key and a blank.
std::string ReadBack(DescriptionParser& reader, const std::string& detail, std::string& rest) {
    const char* position = detail.c_str();
    boost::shared_ptr<DataItemLValue> place;
    if (!reader.ParseTarget(position, place)) return "(no such key)";
    rest = *position == ' ' ? position + 1 : position;
    return place->AsString();
}

// A case of faults.txt, which says what each field holds.
class DriverFault : public testing::TestWithParam<CaseLines> {};

// The texts of the case's indented lines that begin with marker.
Texts Details(char marker) {
    Texts texts;
    for (const std::string& detail : DriverFault::GetParam().details) {
        if (detail[0] == marker) texts.push_back(detail.substr(std::min<size_t>(2, detail.size())));
    }
    return texts;
}

TEST_P(DriverFault, RunEndsBoundedWithAWellFormedReport) {
    const bool host = GetParam().words[1] == "host";
    const std::string ending = GetParam().words[2];
    const ProcessResult run = RunBehindFakes(GetParam().rest, Arguments(host, Details('>')),
                                             ending == "hangs", !Details('*').empty());
    const Texts lines = Lines(run.out);

    EXPECT_LT(run.peakKilobytes, kPeakLimitKilobytes);
    EXPECT_EQ(ending == "hangs", run.killed) << run.seconds << " s";
    EXPECT_EQ(Details('!'), Lines(run.err));
    for (const std::string& line : lines) EXPECT_TRUE(IsReportLine(line));
    const bool ended = !lines.empty() && KeyOf(lines.back()) == "trovexEnd";
    EXPECT_EQ(ending == "ends" || ending == "healthy", ended) << run.out;
    for (const std::string& expected : Details('+')) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    }
    for (const std::string& key : Details('-')) {
        EXPECT_EQ(Texts(), LinesWithKeyPrefix(lines, key));
    }
    if (ending == "healthy") {
        EXPECT_EQ(HealthyReport(host), ReportWithoutTimes(run.out));
    }
    if (!Details('=').empty() || !Details('~').empty()) {
        // What the host reads back is the driver's text, and what trovex-report
        // prints of the report is the report itself.
        DescriptionParser reader;
        GPUImplStatic records;
        ASSERT_TRUE(reader.Parse(run.out, records));
        std::string rest;
        for (const std::string& detail : Details('=')) {
            const std::string text = ReadBack(reader, detail, rest);
            decodeFaultText(&rest[0]);
            EXPECT_EQ(rest.c_str(), text) << detail;
        }
        for (const std::string& detail : Details('~')) {
            const std::string text = ReadBack(reader, detail, rest);
            EXPECT_EQ(std::string(std::stoul(rest), 'x'), text) << detail;
        }
        TempFolder folder;
        const std::string path = folder.Path() + "/report";
        std::ofstream(path, std::ios::binary) << run.out;
        const ProcessResult tool = RunProcess(TROVEX_REPORT_TOOL, {path});
        EXPECT_EQ(ReportToolOutput(path, run.out), tool.out);
    }
    if (ending != "crashes" && ending != "hangs") {
        EXPECT_EQ(std::stoi(GetParam().words[3]), run.status);
        return;
    }
    EXPECT_EQ(ending == "crashes" ? SIGSEGV : SIGKILL, run.signal);
    // Every line written before the fault, each of them whole.
    EXPECT_EQ('\n', run.out.empty() ? '\0' : run.out.back());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(Details('+').back(), lines.back());
    const Texts& healthy = HealthyReport(host);
    ASSERT_LE(lines.size(), healthy.size());
    EXPECT_EQ(Texts(healthy.begin(), healthy.begin() + lines.size()), ReportWithoutTimes(run.out));
}

INSTANTIATE_CASE_TABLE(Faults, DriverFault, TROVEX_FAULT_CASES, 4);

}  // namespace
