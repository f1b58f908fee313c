#pragma once

#include <string>

#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/src/core/DriverAnswer.h"
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

// Driver texts (names, versions, extension lists) are at most a few kilobytes;
// a size far above that is a broken answer.
const size_t maxInfoBytes = 1048576;

// Reads a text property in the usual two calls, the size first. read(size,
// value, sizeReturned) queries the driver and throws when it fails; query
// names it in the message about a size outside 0 to maxInfoBytes. The bytes
// come back as the driver gives them, its terminating NUL included.
template <typename Read>
std::string readInfoBytes(const std::string& query, Read read) {
    size_t size = 0;
    read(0, nullptr, &size);
    Core::boundedAnswer(query, size, maxInfoBytes);
    std::string bytes(size, '\0');
    if (size != 0) read(size, &bytes[0], nullptr);
    return bytes;
}

}  // namespace OCL
}  // namespace Quelt
