#pragma once

#include <map>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "ReportModel.h"

// The report the probe must write on the drivers it runs on, composed from the
// pinned order of the lines and the drivers' own answers: OpenGL's as the
// reference program asks them through EGL, OpenCL's as clinfo lists them, both
// run in the environment the probe gets. What the drivers do not decide comes
// from a file of NAME=value lines, by key or, where every GPU has the same, by
// the key without its tag.

// Values by key; the OpenGL answers by question (see DriverReference.cpp).
typedef std::map<std::string, std::string> Answers;

// Asks the drivers. A driver that ends the reference program or clinfo leaves
// the answers that program had not given out.
Answers AskDrivers(const std::string& reference, const std::string& valuesFile,
                   const ProcessOptions& options);

// The steps of a healthy run on those drivers, each with its whole lines; the
// host's tester when host.
std::vector<ReportStep> ExpectedSteps(Answers answers, bool host);
