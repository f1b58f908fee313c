#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

// A help request on the command line.
class UsageException : public std::runtime_error {
public:
    UsageException();
};

// The host application whose tester adds its own lines to the report.
extern const char* const kHostApplicationName;

struct CommandLineSettings {
    std::string applicationName;
    int32_t failAfter = -1;
    int32_t throwAfter = -1;
    int32_t hangSeconds = 0;
    int32_t verbosity = 0;
    bool exitRequested = false;
    int32_t exitValue = 0;
    std::vector<std::string> stdoutTexts;
    std::vector<std::string> stderrTexts;
};

// Applies the arguments to settings in order. Comment lines go to out at once,
// lines about unknown options to err. Throws UsageException for a help request,
// before any option is applied.
void ParseCommandLine(int argc, const char* const* argv, CommandLineSettings& settings,
                      std::ostream& out, std::ostream& err);

// The text a help request answers with: the exception's message, then the options.
void WriteUsage(std::ostream& err, const std::exception& usage);
