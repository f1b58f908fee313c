#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "failure/FailRequirement.h"
#include "gpu/GPUImplHardware.h"
#include "quelt/quelt_ocl/ExtensionManager"

namespace {

typedef Quelt::OCL::DispatchTable DispatchTable;

const char kCallFailed[] = "Failed requirement: ciErrNum == CL_SUCCESS";

const size_t kCopyBytes = 16777216;
const int kCopiesPerPass = 10;
const int kMaxPasses = 10;
const double kMinTotalSeconds = 1.0;
// Each copy reads and writes its buffer.
const double kBytesPerPass = kCopiesPerPass * 2.0 * kCopyBytes;

const cl_uint kComputeLength = 1048576;
const size_t kComputeGroupSize = 64;
// Each work item multiplies twice in each of 4096 iterations: 8 * 2^30 in all.
const double kComputeOperations = 8.0;

// The kernel's lines are joined by seven tabs and two blanks.
const char* const kJustIteratePieces[] = {
    "__kernel void justIterate( __global float* v, unsigned int len ){",
    "int gid = get_global_id(0);",
    "if(gid>=len) return;",
    "float data = v[gid];",
    "float variant = (float)(gid % 3);",
    "for ( int i = 0 ; i < 4096; i++){",
    "data = data  *  1.2f * variant ;",
    "}",
    "v [ gid ] = data ;",
    "}",
};
const char kJustIterateSeparator[] = "\t\t\t\t\t\t\t  ";

// OpenCL objects, released through the loader's table however the measurement ends.
typedef std::unique_ptr<_cl_mem, cl_api_clReleaseMemObject> MemObject;
typedef std::unique_ptr<_cl_event, cl_api_clReleaseEvent> Event;
typedef std::unique_ptr<_cl_program, cl_api_clReleaseProgram> Program;
typedef std::unique_ptr<_cl_kernel, cl_api_clReleaseKernel> Kernel;

void Require(cl_int status) {
    if (status != CL_SUCCESS) FailRequirement(kCallFailed);
}

// The loader's table, when it has every entry the measurements call.
const DispatchTable& MeasurementEntries() {
    const DispatchTable& cl = Quelt::OCL::ExtensionManager::instance().table();
    const bool complete = cl.clCreateBuffer && cl.clReleaseMemObject &&
                          cl.clCreateProgramWithSource && cl.clReleaseProgram &&
                          cl.clBuildProgram && cl.clCreateKernel && cl.clReleaseKernel &&
                          cl.clSetKernelArg && cl.clWaitForEvents && cl.clReleaseEvent &&
                          cl.clGetEventProfilingInfo && cl.clFinish && cl.clEnqueueCopyBuffer &&
                          cl.clEnqueueNDRangeKernel;
    if (!complete) FailRequirement(kCallFailed);
    return cl;
}

MemObject CreateBuffer(const DispatchTable& cl, cl_context context, cl_mem_flags flags, size_t size,
                       void* hostData) {
    cl_int status = CL_SUCCESS;
    MemObject buffer(cl.clCreateBuffer(context, flags, size, hostData, &status),
                     cl.clReleaseMemObject);
    Require(status);
    return buffer;
}

// The time the event's command ran, in seconds, from the queue's profiling counters.
double RunSeconds(const DispatchTable& cl, cl_event event) {
    cl_ulong start = 0;
    cl_ulong end = 0;
    // The size returned may be left null, but some drivers write it anyway.
    size_t written = 0;
    cl.clGetEventProfilingInfo(event, CL_PROFILING_COMMAND_START, sizeof start, &start, &written);
    cl.clGetEventProfilingInfo(event, CL_PROFILING_COMMAND_END, sizeof end, &end, &written);
    return static_cast<double>(end - start) * 1e-9;
}

std::string JustIterateSource() {
    std::string source = kJustIteratePieces[0];
    for (size_t i = 1; i < std::size(kJustIteratePieces); ++i) {
        source += kJustIterateSeparator;
        source += kJustIteratePieces[i];
    }
    return source;
}

}  // namespace

double GPUImplHardware::MeasureCLBandwidth(const Quelt::OCL::Context& clContext,
                                           const Quelt::OCL::CommandQueue& queue) {
    const DispatchTable& cl = MeasurementEntries();
    const cl_command_queue queueHandle = queue.handle();
    const MemObject source =
        CreateBuffer(cl, clContext.handle(), CL_MEM_READ_ONLY, kCopyBytes, nullptr);
    const MemObject target =
        CreateBuffer(cl, clContext.handle(), CL_MEM_WRITE_ONLY, kCopyBytes, nullptr);
    cl.clFinish(queueHandle);

    double best = 0.0;
    double total = 0.0;
    for (int pass = 0; pass < kMaxPasses && total < kMinTotalSeconds; ++pass) {
        // Each pass's events are released when the pass ends.
        std::vector<Event> events;
        for (int copy = 0; copy < kCopiesPerPass; ++copy) {
            cl_event event = nullptr;
            const cl_int status = cl.clEnqueueCopyBuffer(queueHandle, source.get(), target.get(), 0,
                                                         0, kCopyBytes, 0, nullptr, &event);
            if (event != nullptr) events.emplace_back(event, cl.clReleaseEvent);
            Require(status);
        }
        cl.clFinish(queueHandle);
        double seconds = 0.0;
        for (const Event& event : events) seconds += RunSeconds(cl, event.get());
        if (seconds > 0.0) {
            total += seconds;
            const double rate = kBytesPerPass / seconds;
            if (rate > best) best = rate;
        }
    }
    cl.clFinish(queueHandle);
    return best;
}

double GPUImplHardware::MeasureCLCompute(const Quelt::OCL::Context& clContext,
                                         const Quelt::OCL::CommandQueue& queue) {
    const DispatchTable& cl = MeasurementEntries();
    const cl_command_queue queueHandle = queue.handle();
    std::vector<float> values(kComputeLength);
    for (float& value : values) value = static_cast<float>(std::rand());

    const std::string sourceText = JustIterateSource();
    const char* sourcePointer = sourceText.c_str();
    cl_int status = CL_SUCCESS;
    const Program program(
        cl.clCreateProgramWithSource(clContext.handle(), 1, &sourcePointer, nullptr, &status),
        cl.clReleaseProgram);
    Require(status);
    Require(cl.clBuildProgram(program.get(), 0, nullptr, nullptr, nullptr, nullptr));
    const Kernel kernel(cl.clCreateKernel(program.get(), "justIterate", &status),
                        cl.clReleaseKernel);
    Require(status);

    const MemObject buffer =
        CreateBuffer(cl, clContext.handle(), CL_MEM_READ_WRITE | CL_MEM_COPY_HOST_PTR,
                     values.size() * sizeof(float), values.data());
    const cl_mem bufferHandle = buffer.get();
    Require(cl.clSetKernelArg(kernel.get(), 0, sizeof bufferHandle, &bufferHandle));
    Require(cl.clSetKernelArg(kernel.get(), 1, sizeof kComputeLength, &kComputeLength));

    const size_t globalSize = kComputeLength;
    cl_event eventHandle = nullptr;
    status = cl.clEnqueueNDRangeKernel(queueHandle, kernel.get(), 1, nullptr, &globalSize,
                                       &kComputeGroupSize, 0, nullptr, &eventHandle);
    const Event event(eventHandle, cl.clReleaseEvent);
    Require(status);
    Require(cl.clWaitForEvents(1, &eventHandle));
    const double seconds = RunSeconds(cl, eventHandle);
    cl.clFinish(queueHandle);
    return seconds > 0.0 ? kComputeOperations / seconds : 0.0;
}
