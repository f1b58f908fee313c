#pragma once

// The whole life of the process: logging, command line, the probing run or the
// replacement run, the hang countdown and the exit status.
int TrovexMain(int argc, const char* const* argv);
