// A libOpenCL.so.1 for tests: it exports the loader functions the program
// calls, passes each call to the real loader (TROVEX_REAL_OPENCL, an absolute
// path) and alters the answers that TROVEX_DRIVER_FAULT names (see
// DriverFault.h). Built with TROVEX_WITHOUT_QUEUES it leaves out the command
// queue functions, as a library that is no complete OpenCL loader would.
#define CL_TARGET_OPENCL_VERSION 300
#define CL_USE_DEPRECATED_OPENCL_1_1_APIS
#define CL_USE_DEPRECATED_OPENCL_1_2_APIS
#include <CL/cl.h>
#include <CL/cl_icd.h>
#include <string.h>

#include "DriverFault.h"

// The status a failing call answers.
#define FAILED CL_OUT_OF_RESOURCES

// Declares real_<name>, the real loader's function, looked up once.
#define REAL(name)                    \
    static cl_api_##name real_##name; \
    if (real_##name == NULL) real_##name = (cl_api_##name)realSymbol(TROVEX_REAL_OPENCL, #name)

// The answer of an info query the fault alters, in place of the driver's:
// a scripted or long text with its NUL or without, a size, or a single value.
// Answers 0 when the fault leaves the driver's answer.
static int answerInfo(const struct DriverFault* fault, size_t size, void* value,
                      size_t* sizeReturned, cl_int* status) {
    if (fault == NULL) return 0;
    if (faultIs(fault, FAULT_UNCHECKED) && sizeReturned == NULL) faultCrash();
    *status = faultIs(fault, FAULT_FAIL) ? FAILED : CL_SUCCESS;
    const int unterminated = faultIs(fault, FAULT_UNTERMINATED);
    const char* text = unterminated ? fault->text : faultText(fault, NULL);
    if (text != NULL) {
        const size_t answered = strlen(text) + !unterminated;
        if (value != NULL && size < answered) *status = CL_INVALID_VALUE;
        if (value != NULL && size >= answered) memcpy(value, text, answered);
        if (sizeReturned != NULL) *sizeReturned = answered;
        return 1;
    }
    if (!faultIs(fault, FAULT_ANSWER)) return faultIs(fault, FAULT_FAIL);
    // Little-endian: the low bytes of the value fill a 32-bit answer.
    if (value != NULL && size <= sizeof fault->value) memcpy(value, &fault->value, size);
    if (value == NULL && sizeReturned != NULL) *sizeReturned = (size_t)fault->value;
    return 1;
}

// OpenCL defines five device types, the five lowest bits, and CL_DEVICE_TYPE_ALL
// for every one.
#define UNDEFINED_TYPE(type) ((type) != CL_DEVICE_TYPE_ALL && ((type) == 0 || (type) >> 5 != 0))

static int cpuAsGpu(void) { return hasDriverFault("clGetDeviceIDs", FAULT_GPU); }

CL_API_ENTRY cl_int CL_API_CALL clGetPlatformIDs(cl_uint size, cl_platform_id* platforms,
                                                 cl_uint* count) {
    const struct DriverFault* fault = driverFault("clGetPlatformIDs", FAULT_NO_SELECTOR);
    if (faultIs(fault, FAULT_FAIL)) return FAILED;
    REAL(clGetPlatformIDs);
    const cl_int status = real_clGetPlatformIDs(size, platforms, count);
    if (count != NULL) *count = (cl_uint)answerCount(fault, (void**)platforms, size, *count);
    return status;
}

CL_API_ENTRY cl_int CL_API_CALL clGetDeviceIDs(cl_platform_id platform, cl_device_type type,
                                               cl_uint size, cl_device_id* devices,
                                               cl_uint* count) {
    CHECK_RULE("clGetDeviceIDs", UNDEFINED_TYPE(type));
    const struct DriverFault* fault = driverFault("clGetDeviceIDs", FAULT_NO_SELECTOR);
    if (faultIs(fault, FAULT_FAIL)) return FAILED;
    REAL(clGetDeviceIDs);
    if (cpuAsGpu() && type == CL_DEVICE_TYPE_GPU) type = CL_DEVICE_TYPE_CPU;
    const cl_int status = real_clGetDeviceIDs(platform, type, size, devices, count);
    if (count != NULL) *count = (cl_uint)answerCount(fault, (void**)devices, size, *count);
    return status;
}

// What the driver wrote of an info query's answer, altered: filler after
// it, and CPU devices typed as GPUs.
static cl_int alterInfo(const struct DriverFault* fault, cl_uint name, size_t size, void* value,
                        cl_int status) {
    // Through memset, which a sanitizer build checks: this library is not
    // instrumented itself.
    if (faultIs(fault, FAULT_VALUES) && value != NULL && fault->value > 1) {
        memset((char*)value + size, FILLER, (fault->value - 1) * size);
    }
    if (status == CL_SUCCESS && cpuAsGpu() && name == CL_DEVICE_TYPE && value != NULL &&
        size >= sizeof(cl_device_type)) {
        *(cl_device_type*)value = CL_DEVICE_TYPE_GPU;
    }
    return status;
}

// An info query about an object, which meets the rule checked (0 where none)
// and OpenCL's rule for every info query: a value gets room for the whole
// answer.
#define INFO(call, type, broken)                                                              \
    CL_API_ENTRY cl_int CL_API_CALL call(type object, cl_uint name, size_t size, void* value, \
                                         size_t* sizeReturned) {                              \
        cl_int status = CL_SUCCESS;                                                           \
        const struct DriverFault* fault = driverFault(#call, name);                           \
        if (answerInfo(fault, size, value, sizeReturned, &status)) return status;             \
        REAL(call);                                                                           \
        CHECK_RULE(#call, broken);                                                            \
        size_t needed = 0;                                                                    \
        if (value != NULL) real_##call(object, name, 0, NULL, &needed);                       \
        CHECK_RULE(#call, value != NULL && size < needed);                                    \
        status = real_##call(object, name, size, value, sizeReturned);                        \
        return alterInfo(fault, name, size, value, status);                                   \
    }

INFO(clGetPlatformInfo, cl_platform_id, 0)
INFO(clGetDeviceInfo, cl_device_id, object == NULL)

// The other functions the program's loader check asks for pass through, once
// their arguments meet the rule their call is checked against (0 where none).
#define FORWARD(type, name, broken, parameters, arguments) \
    CL_API_ENTRY type CL_API_CALL name parameters {        \
        CHECK_RULE(#name, broken);                         \
        REAL(name);                                        \
        return real_##name arguments;                      \
    }

FORWARD(cl_context, clCreateContext, count == 0 || devices == NULL,
        (const cl_context_properties* properties, cl_uint count, const cl_device_id* devices,
         void(CL_CALLBACK* notify)(const char*, const void*, size_t, void*), void* data,
         cl_int* status),
        (properties, count, devices, notify, data, status))
FORWARD(cl_int, clReleaseContext, context == NULL, (cl_context context), (context))
#ifndef TROVEX_WITHOUT_QUEUES
// Two queue properties are defined, the two lowest bits.
FORWARD(cl_command_queue, clCreateCommandQueue, flags >> 2 != 0,
        (cl_context context, cl_device_id device, cl_command_queue_properties flags,
         cl_int* status),
        (context, device, flags, status))
FORWARD(cl_int, clReleaseCommandQueue, queue == NULL, (cl_command_queue queue), (queue))
#endif

// What clinfo calls besides, so that the tests' OpenCL reference lists the
// devices behind this library as the program sees them.
FORWARD(cl_context, clCreateContextFromType, UNDEFINED_TYPE(type),
        (const cl_context_properties* properties, cl_device_type type,
         void(CL_CALLBACK* notify)(const char*, const void*, size_t, void*), void* data,
         cl_int* status),
        (properties, type, notify, data, status))
FORWARD(cl_int, clGetContextInfo, context == NULL,
        (cl_context context, cl_context_info name, size_t size, void* value, size_t* sizeReturned),
        (context, name, size, value, sizeReturned))
FORWARD(cl_program, clCreateProgramWithSource, count == 0 || texts == NULL,
        (cl_context context, cl_uint count, const char** texts, const size_t* lengths,
         cl_int* status),
        (context, count, texts, lengths, status))
FORWARD(cl_int, clBuildProgram, (count == 0) != (devices == NULL),
        (cl_program program, cl_uint count, const cl_device_id* devices, const char* options,
         void(CL_CALLBACK* notify)(cl_program, void*), void* data),
        (program, count, devices, options, notify, data))
FORWARD(cl_int, clGetProgramBuildInfo, program == NULL,
        (cl_program program, cl_device_id device, cl_program_build_info name, size_t size,
         void* value, size_t* sizeReturned),
        (program, device, name, size, value, sizeReturned))
FORWARD(cl_int, clReleaseProgram, program == NULL, (cl_program program), (program))
FORWARD(cl_kernel, clCreateKernel, name == NULL,
        (cl_program program, const char* name, cl_int* status), (program, name, status))
FORWARD(cl_int, clGetKernelWorkGroupInfo, kernel == NULL,
        (cl_kernel kernel, cl_device_id device, cl_kernel_work_group_info name, size_t size,
         void* value, size_t* sizeReturned),
        (kernel, device, name, size, value, sizeReturned))
FORWARD(cl_int, clReleaseKernel, kernel == NULL, (cl_kernel kernel), (kernel))
FORWARD(void*, clGetExtensionFunctionAddress, name == NULL, (const char* name), (name))
