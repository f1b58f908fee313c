#pragma once

#include <string>
#include <vector>

#include "ProcessRun.h"

// The report of a healthy run as the host reads it: which lines come, in which
// order, and which step of the run writes each. The process tests compose their
// expected reports from it and pin the hooks' step indices with it.

// A failure of a top-level step ends the run; one of a GPU's step drops the GPU
// from the rest of the run; a step without an index is not counted by the hooks
// and cannot fail.
enum StepKind { kTopStep, kGPUStep, kNoIndex };

struct ReportStep {
    StepKind kind;
    std::string tag;  // glgpu[0], clgpu[1], ...; empty for a top-level step
    // The keys of the lines the step writes, in order; a gputag line is whole,
    // since its value is the host's token.
    std::vector<std::string> lines;
};

// The steps of a healthy run, in order, on a machine with glGPUs OpenGL GPUs and
// an OpenCL GPU per entry of clCUDA, which tells whether its platform names a
// CUDA version; host for the host's tester (-app=Velmora). The header and the
// footer write no line, nor does the CUDA version step of a GPU without one.
std::vector<ReportStep> ReportSteps(int glGPUs, const std::vector<bool>& clCUDA, bool host);

// A query of the host's: the function it calls, the name the report shows, and
// the token it passes, from the OpenGL headers (for an extension, the foundation
// library's number, which the host knows by heart).
struct ExpectedHostQuery {
    const char* function;
    const char* name;
    int token;
};
extern const std::vector<ExpectedHostQuery> kExpectedHostQueries;

// Standard output, standard error and the status as one text, as the expected
// files hold them; a negative status -N is the signal N that ended the program.
std::string Transcript(const std::string& out, const std::string& err, int status);

// The transcript of the run when a hook fires at step index n, for the steps of
// a healthy run with their whole lines: -failAfter=n when failAfter, else
// -throwAfter=n, which with n = -1 never fires. A failing step has written its
// lines; a failing top-level step ends the run, a failing per-GPU step drops its
// GPU.
std::string ExpectedRun(const std::vector<ReportStep>& steps, bool failAfter, int n);

// Runs the program and gives its transcript, where a time stamp of trovexStart or
// trovexEnd reads TIME once it is found to be the local time of a second the run
// took (one that is not stays as it is, and fails the comparison). A Windows
// program (.exe) runs under Wine.
std::string RunTranscript(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessOptions& options = ProcessOptions());

std::string ReadFile(const std::string& path);
