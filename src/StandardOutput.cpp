#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace {

int firstError = 0;

}  // namespace

// Report lines go through std::cout and log lines through stdout itself, so
// both are asked.
void NoteStandardOutputState() {
    if (firstError == 0 && (std::cout.fail() || std::ferror(stdout))) {
        firstError = errno != 0 ? errno : EIO;
    }
}

int StandardOutputError() { return firstError; }
