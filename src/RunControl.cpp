#include "RunControl.h"

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>

#include "CommandLine.h"
#include "ExceptionLine.h"
#include "StandardOutput.h"
#include "Tester.h"
#include "VLLogging/LogStatement.h"
#include "VLLogging/TrovexLogger.h"
#include "VLLogging/VLLogEntry.h"
#include "VelmoraTester.h"
#include "platform/Platform.h"

namespace {

const int32_t kStatusFailed = 2;
const int32_t kStatusUsage = 3;

// Set when TrovexMain returns; until then the process ending means a library
// ended it inside a call (a driver calling exit).
bool runFinished = false;
// The status such an end gets: the failure status, or the -exit value once read.
int32_t endedEarlyStatus = kStatusFailed;

// A report cut short by a library must not reach the host as a success.
void EndedEarly() {
    if (runFinished) return;
    WriteErrorLine("exception: a library ended the program before the report was complete");
    std::_Exit(endedEarlyStatus);
}

// The probing run: writes the report and answers the run status. The tester is
// released before the caller's hang countdown.
int32_t ProbingRun(const CommandLineSettings& settings) {
    boost::shared_ptr<Tester> tester(
        settings.applicationName == kHostApplicationName ? new VelmoraTester() : new Tester());
    if (settings.verbosity > 0) ChannelLevel(GPUTrovexChannel) = settings.verbosity;
    tester->SetFailAfter(settings.failAfter);
    tester->SetThrowAfter(settings.throwAfter);
    tester->Run();
    return tester->FailureCount() > 0 ? kStatusFailed : 0;
}

// The texts of -stdout and -stderr take the place of the report.
void ReplacementRun(const CommandLineSettings& settings) {
    for (const std::string& text : settings.stdoutTexts) {
        std::cout << text << std::endl;
        NoteStandardOutputState();
    }
    for (const std::string& text : settings.stderrTexts) std::cerr << text << std::endl;
}

void HangCountdown(int32_t seconds) {
    for (int32_t i = seconds; i > 0; --i) {
        std::cout << "delayExit=" << i << std::endl;
        NoteStandardOutputState();
        Platform::Sleep(1000);
    }
}

}  // namespace

int TrovexMain(int argc, const char* const* argv) {
    TakeReportChannel();
    std::atexit(EndedEarly);
    InitLogging();
    TrovexLogger logger;
    // -verbose is applied only once the tester exists, so at the default level this
    // entry is never made; a build whose channel starts at level 1 gets it.
    boost::shared_ptr<VLLogEntry> mainEntry;
    if (ChannelLevel(GPUTrovexChannel) >= 1) {
        std::ostringstream name;
        name << "main";
        mainEntry.reset(new VLLogEntry(__FILE__, __LINE__, name));
    }
    // The first call only reads the mode the process inherited (setting ours on the
    // way); the second keeps every inherited flag and adds the crash-dialog one.
    unsigned previousMode = Platform::SetErrorMode(Platform::kNoGPFaultErrorBox);
    Platform::SetErrorMode(previousMode | Platform::kNoGPFaultErrorBox);

    int32_t status = 0;
    CommandLineSettings settings;
    try {
        ParseCommandLine(argc, argv, settings, std::cout, std::cerr);
        // Comment lines were written while parsing.
        NoteStandardOutputState();
        if (settings.exitRequested) endedEarlyStatus = settings.exitValue;
        if (settings.stdoutTexts.empty() && settings.stderrTexts.empty())
            status = ProbingRun(settings);
        else
            ReplacementRun(settings);
        HangCountdown(settings.hangSeconds);
    } catch (const UsageException& e) {
        try {
            WriteUsage(std::cerr, e);
        } catch (...) {
        }
        status = kStatusUsage;
        settings.exitValue = kStatusUsage;
    } catch (...) {
        try {
            WriteErrorLine(DescribeCurrentException());
        } catch (...) {
        }
        status = kStatusFailed;
    }
    // A report the host never got is no success.
    if (StandardOutputError() != 0) {
        WriteErrorLine(std::string("exception: cannot write the report: ") +
                       std::strerror(StandardOutputError()));
        status = kStatusFailed;
    }
    if (settings.exitRequested) status = settings.exitValue;
    runFinished = true;
    return status;
}
