#pragma once

#include <string>

// The line that tells the host which exception ended a step or the run. Call it
// inside a catch block: it names the exception being handled.
std::string DescribeCurrentException();

// Writes one line on standard error; a failure to write is dropped, so a handler
// that reports an exception never raises one of its own.
void WriteErrorLine(const std::string& line);
