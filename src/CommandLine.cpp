#include "CommandLine.h"

#include <cstdlib>
#include <ostream>

UsageException::UsageException() : std::runtime_error("") {}

const char* const kHostApplicationName = "Velmora";

namespace {

bool IsHelpRequest(int argc, const char* const* argv) {
    if (argc != 2) return false;
    std::string argument = argv[1];
    return argument.find("help") != std::string::npos || argument.find('?') != std::string::npos;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// Applies one known option; false when the name is not an option.
bool ApplyOption(const std::string& name, const std::string& value, CommandLineSettings& settings,
                 std::ostream& out) {
    const char* number = value.c_str();
    if (name == "failAfter") {
        settings.failAfter = std::atoi(number);
    } else if (name == "throwAfter") {
        settings.throwAfter = std::atoi(number);
    } else if (name == "app") {
        settings.applicationName = value;
    } else if (name == "hang") {
        settings.hangSeconds = std::atoi(number);
    } else if (name == "stdout") {
        settings.stdoutTexts.push_back(value);
    } else if (name == "stderr") {
        settings.stderrTexts.push_back(value);
    } else if (name == "verbose") {
        settings.verbosity = value.empty() ? 1 : std::atoi(number);
    } else if (name == "timeout") {
        // Accepted for the host's sake; it has no effect here.
    } else if (name == "exit") {
        settings.exitRequested = true;
        settings.exitValue = std::atoi(number);
    } else if (name == "comment") {
        out << "# " << value << std::endl;
    } else {
        return false;
    }
    return true;
}

}  // namespace

void ParseCommandLine(int argc, const char* const* argv, CommandLineSettings& settings,
                      std::ostream& out, std::ostream& err) {
    if (IsHelpRequest(argc, argv)) throw UsageException();

    std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& argument : arguments) {
        if (argument.empty() || argument[0] != '-') continue;
        std::string optionText = argument.substr(argument.size() > 1 && argument[1] == '-' ? 2 : 1);
        size_t equals = optionText.find('=');
        std::string name = optionText.substr(0, equals);
        std::string value =
            equals == std::string::npos ? std::string() : optionText.substr(equals + 1);
        if (!ApplyOption(name, Unquote(value), settings, out))
            err << "unknown argument ignored: " << optionText << std::endl;
    }
}

void WriteUsage(std::ostream& err, const std::exception& usage) {
    err << usage.what() << std::endl;
    err << "options:" << std::endl;
    err << "    -args=optionsFile" << std::endl;
    err << "OR" << std::endl;
    err << "    -failAfter=N {fail after N steps}" << std::endl;
    err << "    -throwAfter=N {throw exception after N steps}" << std::endl;
    err << "    -app=appName {currently, Velmora is the only option}" << std::endl;
    err << "    -hang=N {trovex hangs for N seconds before exit}" << std::endl;
    err << "    -timeout=N {trovex timeout (Mac only), default is " << 5 << "}" << std::endl;
    err << "    -stdout=text {replaces normal stdout/stderr, adds text to the stdout that is "
           "displayed}"
        << std::endl;
    err << "    -stderr=text {replaces normal stdout/stderr, adds text to the stderr that is "
           "displayed}"
        << std::endl;
    err << "    -exit=N {exits with code N}" << std::endl;
    err << "    -verbose" << std::endl;
}
