#pragma once

#include <windows.h>

#include <string>

// A system DLL opened at run time rather than imported, so that a machine
// without it still runs. The library is freed with the object.
class DynamicLibrary {
public:
    // Nothing is loaded until Load or GetFunction.
    explicit DynamicLibrary(const std::string& name);
    ~DynamicLibrary();

    // Loads the library, unless it is loaded, by its name and, where that
    // fails, from the system folder. The handle stays null when both fail.
    void Load();

    // The exported function, loading the library first; null when the library
    // or the export is missing.
    void* GetFunction(const char* function);

private:
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    std::string name;
    HMODULE handle;
};
