#pragma once

#include <string>
#include <vector>

// Runs a program to its end, or until a time limit kills it, and keeps what it
// wrote.
struct ProcessResult {
    std::string out;         // standard output
    std::string err;         // standard error
    int status = -1;         // exit status; -1 when the program did not exit normally
    int signal = 0;          // the signal that ended the program; 0 when it exited
    bool killed = false;     // the time limit ran out and the program was killed
    double seconds = 0;      // wall-clock run time
    long peakKilobytes = 0;  // the program's peak resident memory
};

struct ProcessOptions {
    // NAME=value entries for the environment of the child; each replaces an
    // inherited entry of the same name.
    std::vector<std::string> environment;
    // Seconds after which the child is killed with SIGKILL; 0 waits for its end.
    double timeLimit = 0;
    // A file that standard output goes to (such as /dev/full) in place of
    // ProcessResult::out.
    std::string outputFile;
    // A file that standard input reads from; empty: the parent's standard input.
    std::string inputFile{};
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options = ProcessOptions());

// Splits a text into its lines, without the line ends.
std::vector<std::string> Lines(const std::string& text);
