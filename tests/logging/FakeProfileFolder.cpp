#include "FakeProfileFolder.h"

#include "platform/Platform.h"

std::string fakeProfileFolder;

std::string Platform::ProfileFolder() { return fakeProfileFolder; }
