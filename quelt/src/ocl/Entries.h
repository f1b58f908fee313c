#pragma once

#include <string>
#include <vector>

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
    // The size returned may be left null, but some drivers write it anyway.
    size_t written = 0;
    if (size != 0) read(size, &bytes[0], &written);
    return bytes;
}

// Reads a list of handles in the usual two calls, the count first, and makes an
// Item of each. list(count, handles, countReturned) queries the driver and
// returns its status; notFound is the status that means an empty list, and a
// count above bound is a broken answer. call names the query in messages.
template <typename Item, typename Handle, typename List>
std::vector<Item> readHandles(const std::string& call, cl_int notFound, cl_uint bound, List list) {
    cl_uint count = 0;
    const cl_int status = list(0, nullptr, &count);
    if (status == notFound) return {};
    checkStatus(status, call);
    Core::boundedAnswer(call, count, bound);
    std::vector<Handle> handles(count);
    if (count != 0) checkStatus(list(count, handles.data(), &count), call);
    std::vector<Item> result;
    for (cl_uint index = 0; index < count && index < handles.size(); ++index) {
        result.emplace_back(handles[index]);
    }
    return result;
}

}  // namespace OCL
}  // namespace Quelt
