#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "ReportGrammar.h"
#include "ReportModel.h"

// The probe over simulated machines, for what this machine's drivers cannot show:
// every line of standard output in order, standard error and the status, as the
// expected transcripts in expected/ have them.
namespace {

const std::string kDir = TROVEX_SIMULATED_DIR;

struct Case {
    const char *machine, *raise;  // in machines/; TROVEX_SIMULATION_RAISE
    std::vector<std::string> arguments;
    const char* expected;  // in expected/
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.expected << testing::PrintToString(c.arguments);
}

ProcessOptions On(const std::string& machine, const std::string& raise = "") {
    const std::string path = kDir + "/machines/" + machine + ".txt";
    return {{"TROVEX_SIMULATION=" + path, "TROVEX_SIMULATION_RAISE=" + raise}, 0, ""};
}

// clang-format off
const Case kCases[] = {
    {"one-of-each", "", {}, "one-of-each"},
    {"one-of-each", "", {"-app=Velmora"}, "one-of-each.host"},
    {"two-of-each", "", {}, "two-of-each"},
    {"two-of-each", "", {"-app=Velmora"}, "two-of-each.host"},
    // The host's name is compared exactly.
    {"two-of-each", "", {"-app=velmora"}, "two-of-each"},
    {"two-of-each", "", {"-app=Velmora "}, "two-of-each"},
    // A GPU whose query raises keeps the lines before it; the others go on.
    {"two-of-each", "glgpu[0].GLMemoryMB clgpu[1].CLName", {"-app=Velmora"}, "raise.host"},
    // Both tag lines of a query come before it: one that raises leaves them.
    {"two-of-each", "glgpu[0].glGetProgramivARB", {"-app=Velmora"}, "raise-program.host"},
    {"none", "", {}, "no-gpus"},
    {"none", "glgpu", {}, "enumeration-fails"},
    {"two-of-each", "clgpu", {"-app=Velmora"}, "cl-enumeration-fails.host"},
    {"none", "glgpu:logical", {"-exit=9"}, "logical-exception"},
};
// clang-format on

class SimulatedReport : public testing::TestWithParam<Case> {};

// TROVEX_REGENERATE=1 ctest --preset default -R SimulatedReport first writes each
// expected transcript from the program as built; git diff shows what changed.
TEST_P(SimulatedReport, IsTheExpectedTranscript) {
    const Case& c = GetParam();
    const std::string path = kDir + "/expected/" + c.expected + ".txt";
    const auto run = RunTranscript(TROVEX_SIMULATED_BINARY, c.arguments, On(c.machine, c.raise));
    if (std::getenv("TROVEX_REGENERATE") != nullptr) std::ofstream(path, std::ios::binary) << run;
    EXPECT_EQ(ReadFile(path), run);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimulatedReport, testing::ValuesIn(kCases));

// Every step index the hooks can name, for both testers, on the machine with two
// GPUs of each kind: what -failAfter=N and -throwAfter=N write is what the model
// of the run's steps makes of the full expected report.
TEST(StepSweep, EveryIndexOfBothHooksAndBothTesters) {
    std::vector<std::pair<std::vector<std::string>, std::string>> runs;  // arguments, expected
    for (bool host : {false, true}) {
        // The steps, each with the lines of the full report it writes.
        std::vector<ReportStep> steps = ReportSteps(2, {true, false}, host);
        std::string full =
            ReadFile(kDir + "/expected/two-of-each" + (host ? ".host" : "") + ".txt");
        const std::vector<std::string> report = Lines(full.erase(full.find("-- stderr\n")));
        size_t next = 0;
        int indices = 0;
        for (ReportStep& step : steps) {
            indices += step.kind != kNoIndex;
            for (std::string& key : step.lines) {
                const std::string line = next < report.size() ? report[next++] : "(none)";
                EXPECT_TRUE(key == line || key == KeyOf(line)) << key << " is not " << line;
                key = line;
            }
        }
        EXPECT_EQ(report.size(), next);
        for (const std::string hook : {"-failAfter=", "-throwAfter="}) {
            for (int n = 0; n <= indices; ++n) {
                runs.push_back({{hook + std::to_string(n), host ? "-app=Velmora" : "-app="},
                                ExpectedRun(steps, hook == "-failAfter=", n)});
            }
        }
    }
    // Some three hundred short runs, four at a time.
    std::vector<std::future<void>> workers;
    for (size_t worker = 0; worker < 4; ++worker) {
        workers.push_back(std::async(std::launch::async, [&runs, worker] {
            for (size_t i = worker; i < runs.size(); i += 4) {
                const auto& [arguments, expected] = runs[i];
                EXPECT_EQ(expected,
                          RunTranscript(TROVEX_SIMULATED_BINARY, arguments, On("two-of-each")))
                    << arguments[0] << " " << arguments[1];
            }
        }));
    }
    for (std::future<void>& worker : workers) worker.get();
}

}  // namespace
