#include "quelt/quelt_ocl/Context"

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ocl/Platform"
#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

Context::Context(const Device& device) {
    const DispatchTable& cl = loadedEntries();
    const cl_device_id id = device.id();
    if (id == nullptr) throw LogicalException("cannot create an OpenCL context on a null device");
    const cl_context_properties properties[] = {
        CL_CONTEXT_PLATFORM, reinterpret_cast<cl_context_properties>(device.platform().id()), 0};
    cl_int status = CL_SUCCESS;
    const cl_context handle = cl.clCreateContext(properties, 1, &id, nullptr, nullptr, &status);
    checkStatus(status, "clCreateContext");
    context.reset(handle, cl.clReleaseContext);
}

cl_context Context::handle() const { return context.get(); }

}  // namespace OCL
}  // namespace Quelt
