#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ReportModel.h"
#include "TempFolder.h"

// The probe over simulated machines, for what this machine's drivers cannot show:
// every line of standard output in order, standard error and the status, as the
// expected transcript in expected/ has them.
namespace {

struct Case {
    const char* machine;  // in machines/, or null for a machine without GPUs
    const char* extra;    // lines added to the machine's description
    std::vector<std::string> arguments;
    const char* expected;  // in expected/
};

const char kRaise[] = "simulate.raise=[\"glgpu[0].GLMemoryMB\", \"clgpu[1].CLName\"]";

const Case kCases[] = {
    {"one-of-each", "", {}, "one-of-each"},
    {"one-of-each", "", {"-app=Velmora"}, "one-of-each.host"},
    {"two-of-each", "", {}, "two-of-each"},
    {"two-of-each", "", {"-app=Velmora"}, "two-of-each.host"},
    // The host's name is compared exactly.
    {"two-of-each", "", {"-app=VelmoraX"}, "two-of-each"},
    {"two-of-each", "", {"-app=velmora"}, "two-of-each"},
    {"two-of-each", "", {"-app=Velmora "}, "two-of-each"},
    // A GPU whose query raises keeps the lines before it; the others go on.
    {"two-of-each", kRaise, {"-app=Velmora"}, "raise.host"},
    {nullptr, "", {}, "no-gpus"},
    {nullptr, "simulate.enumeration=\"std\"", {}, "enumeration-fails"},
    {nullptr, "simulate.enumeration=\"logical\"", {"-exit=9"}, "logical-exception"},
};

class SimulatedReport : public testing::TestWithParam<Case> {};

TEST_P(SimulatedReport, IsTheExpectedTranscript) {
    const Case& c = GetParam();
    const std::string dir = TROVEX_SIMULATED_DIR;
    TempFolder folder;
    ProcessOptions options;
    options.environment = {"TROVEX_SIMULATION=" + folder.Path() + "/machine.txt"};
    std::ofstream(folder.Path() + "/machine.txt")
        << (c.machine ? ReadFile(dir + "/machines/" + c.machine + ".txt") : "") << c.extra << "\n";
    EXPECT_EQ(ReadFile(dir + "/expected/" + c.expected + ".txt"),
              RunTranscript(TROVEX_SIMULATED_BINARY, c.arguments, options));
}

INSTANTIATE_TEST_SUITE_P(Cases, SimulatedReport, testing::ValuesIn(kCases));

}  // namespace
