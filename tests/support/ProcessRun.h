#pragma once

#include <string>
#include <vector>

// Runs a program to its end and keeps what it wrote.
struct ProcessResult {
    std::string out;     // standard output (and standard error when merged)
    std::string err;     // standard error, unless merged
    int status = -1;     // exit status; -1 when the program did not exit normally
    double seconds = 0;  // wall-clock run time
};

struct ProcessOptions {
    bool mergeErrorIntoOutput = false;
    // Extra NAME=value entries added to the environment of the child.
    std::vector<std::string> environment;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = ProcessOptions());

// Splits a text into its lines, without the line ends.
std::vector<std::string> Lines(const std::string& text);
