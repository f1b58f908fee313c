#pragma once

#include <string>

// The folder the fake Platform::ProfileFolder answers with.
extern std::string fakeProfileFolder;
