#include "quelt/src/ocl/Entries.h"

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace OCL {

// Library::initialize fills the whole table or nothing, and never without
// clGetPlatformIDs.
const DispatchTable& loadedEntries() {
    const DispatchTable& table = ExtensionManager::instance().table();
    if (table.clGetPlatformIDs == nullptr) {
        throw LogicalException("OpenCL is not initialised: call Quelt::OCL::Library::initialize");
    }
    return table;
}

void checkStatus(cl_int status, const std::string& call) {
    if (status != CL_SUCCESS) {
        throw LogicalException((call + " failed with status " + std::to_string(status)).c_str());
    }
}

}  // namespace OCL
}  // namespace Quelt
