#pragma once

#include <string>

namespace Quelt {
namespace Core {

// A shared object opened at run time and kept for the rest of the process.
// Drivers start threads and register exit handlers that must not outlive their
// code, so nothing is ever unloaded.
class SharedObject {
public:
    // Throws LogicalException naming what the object is for (such as "the
    // OpenGL driver"), the file and the dynamic loader's reason.
    SharedObject(const std::string& fileName, const char* purpose);

    // The address of an exported symbol; null when the object lacks it.
    void* symbol(const char* name) const;

private:
    void* handle;
};

}  // namespace Core
}  // namespace Quelt
