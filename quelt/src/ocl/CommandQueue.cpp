#include "quelt/quelt_ocl/CommandQueue"

#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

CommandQueue::CommandQueue(const Context& context, const Device& device, bool profiling) {
    const DispatchTable& cl = loadedEntries();
    cl_int status = CL_SUCCESS;
    const cl_command_queue handle = cl.clCreateCommandQueue(
        context.handle(), device.id(), profiling ? CL_QUEUE_PROFILING_ENABLE : 0, &status);
    checkStatus(status, "clCreateCommandQueue");
    queue.reset(handle, cl.clReleaseCommandQueue);
}

cl_command_queue CommandQueue::handle() const { return queue.get(); }

}  // namespace OCL
}  // namespace Quelt
