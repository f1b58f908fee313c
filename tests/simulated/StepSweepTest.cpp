#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ReportGrammar.h"
#include "ReportModel.h"

// Every step index the hooks can name, for both testers, on the machine with two
// GPUs of each kind: what -failAfter=N and -throwAfter=N write is what the model of
// the run's steps makes of the full expected report.
namespace {

const std::string kDir = TROVEX_SIMULATED_DIR;

// The steps of the run, each with the lines of the full report that it writes.
std::vector<ReportStep> StepsWithLines(bool host) {
    std::vector<ReportStep> steps = ReportSteps({2, {true, false}, host});
    std::string full = ReadFile(kDir + "/expected/two-of-each" + (host ? ".host" : "") + ".txt");
    const std::vector<std::string> report = Lines(full.substr(0, full.find("-- stderr\n")));
    size_t next = 0;
    for (ReportStep& step : steps) {
        for (std::string& key : step.lines) {
            const std::string line = next < report.size() ? report[next++] : "(no line)";
            EXPECT_TRUE(key == line || key == KeyOf(line)) << key << " is not " << line;
            key = line;
        }
    }
    EXPECT_EQ(report.size(), next);
    return steps;
}

// The run when the hook fires at index n: a failing step has written its lines; a
// failing top-level step ends the run, a failing per-GPU step drops its GPU.
std::string ExpectedRun(const std::vector<ReportStep>& steps, bool failAfter, int n) {
    std::string out, err;
    std::set<std::string> dropped;
    int index = 0;
    for (const ReportStep& step : steps) {
        if (dropped.count(step.tag) != 0) continue;
        for (const std::string& line : step.lines) out += line + "\n";
        if (step.kind == kNoIndex) continue;
        // -failAfter=N fails every step from N on, -throwAfter=N step N alone.
        const bool fires = failAfter ? index >= n : index == n;
        ++index;
        if (!fires) continue;
        err += failAfter ? "exception: programmed failure\n" : "exception: Programmed throw\n";
        if (step.kind == kTopStep) return Transcript(out, err, 2);
        dropped.insert(step.tag);
    }
    return Transcript(out, err, err.empty() ? 0 : 2);
}

struct HookRun {
    std::vector<std::string> arguments;
    std::string expected;
    std::string actual;
};

}  // namespace

TEST(StepSweep, EveryIndexOfBothHooksAndBothTesters) {
    std::vector<HookRun> runs;
    for (bool host : {false, true}) {
        const std::vector<ReportStep> steps = StepsWithLines(host);
        const int last = static_cast<int>(std::count_if(
            steps.begin(), steps.end(), [](const ReportStep& s) { return s.kind != kNoIndex; }));
        for (const std::string hook : {"-failAfter=", "-throwAfter="}) {
            for (int n = 0; n <= last; ++n) {
                HookRun run{
                    {hook + std::to_string(n)}, ExpectedRun(steps, hook == "-failAfter=", n), ""};
                if (host) run.arguments.push_back("-app=Velmora");
                runs.push_back(run);
            }
        }
    }
    // Some three hundred short runs, a few at a time.
    ProcessOptions options;
    options.environment = {"TROVEX_SIMULATION=" + kDir + "/machines/two-of-each.txt"};
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 4; ++worker) {
        workers.emplace_back([&] {
            for (size_t i; (i = next++) < runs.size();)
                runs[i].actual = RunTranscript(TROVEX_SIMULATED_BINARY, runs[i].arguments, options);
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (const HookRun& run : runs)
        EXPECT_EQ(run.expected, run.actual) << run.arguments[0] << " " << run.arguments.back();
}
