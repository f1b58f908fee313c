#pragma once

#include <string>

#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/src/core/SharedObject.h"

namespace Quelt {
namespace OCL {

// Every entry of the dispatch table the loader exports; null for the others.
DispatchTable loadDispatchTable(const Core::SharedObject& loader);

// The table of the initialised loader. Throws LogicalException before
// Library::initialize has succeeded.
const DispatchTable& loadedEntries();

// Throws LogicalException naming the call and the status unless it is CL_SUCCESS.
void checkStatus(cl_int status, const std::string& call);

// Reads a text property in the usual two calls, the size first. read(size,
// value, sizeReturned) queries the driver and throws when it fails. The bytes
// come back as the driver gives them, its terminating NUL included.
template <typename Read>
std::string readInfoBytes(Read read) {
    size_t size = 0;
    read(0, nullptr, &size);
    std::string bytes(size, '\0');
    if (size != 0) read(size, &bytes[0], nullptr);
    return bytes;
}

}  // namespace OCL
}  // namespace Quelt
