#include "gpu/win/windows/DynamicLibrary.h"

namespace {

const UINT kSystemFolderBufferSize = 1024;

}  // namespace

DynamicLibrary::DynamicLibrary(const std::string& name) : name(name), handle(nullptr) {}

DynamicLibrary::~DynamicLibrary() {
    if (handle != nullptr) FreeLibrary(handle);
}

void DynamicLibrary::Load() {
    if (handle != nullptr) return;
    handle = LoadLibraryA(name.c_str());
    if (handle != nullptr) return;
    char folder[kSystemFolderBufferSize];
    // 0 is a failure, and a length of the buffer or more did not fit.
    const UINT length = GetSystemDirectoryA(folder, kSystemFolderBufferSize);
    if (length == 0 || length >= kSystemFolderBufferSize) return;
    handle = LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

void* DynamicLibrary::GetFunction(const char* function) {
    Load();
    return handle != nullptr ? reinterpret_cast<void*>(GetProcAddress(handle, function)) : nullptr;
}
