#pragma once

#include <cstdio>

// Standard output carries the report. It is the report's alone: once the run
// takes it, std::cout and ReportStream() write to a descriptor of their own, and
// what drivers and other libraries print goes to standard error.
//
// A write there that fails (a full disk, a closed file) loses the report, and the
// exit status must not call that a success. Every writer of standard output notes
// its state right after writing, while errno still tells why a write failed.

// Takes standard output for the report (Platform::TakeStandardOutput) and sends
// std::cout there. Call it once, before anything is written.
void TakeReportChannel();

// The C stream of the report: stdout until the report channel is taken.
FILE* ReportStream();

// Keeps errno when standard output has failed and nothing was kept before.
void NoteStandardOutputState();

// The errno of the first failed write on standard output; 0 while none failed.
int StandardOutputError();
