/* A libOpenCL.so.1 for tests: it exports the loader functions the program
 * calls, passes each call to the real loader (TROVEX_REAL_OPENCL, an absolute
 * path) and alters the answers that TROVEX_DRIVER_FAULT names (see
 * DriverFault.h). Built with TROVEX_WITHOUT_QUEUES it leaves out the command
 * queue functions, as a library that is no complete OpenCL loader would. */
#define CL_TARGET_OPENCL_VERSION 300
#define CL_USE_DEPRECATED_OPENCL_1_0_APIS
#define CL_USE_DEPRECATED_OPENCL_1_1_APIS
#define CL_USE_DEPRECATED_OPENCL_1_2_APIS
#define CL_USE_DEPRECATED_OPENCL_2_0_APIS
#include <CL/cl.h>
#include <CL/cl_icd.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>

#include "DriverFault.h"

/* The status a failing call answers. */
#define FAILED CL_OUT_OF_RESOURCES

static void* realSymbol(const char* name) {
    static void* library;
    if (library == NULL) library = dlopen(TROVEX_REAL_OPENCL, RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) faultDie("cannot open", TROVEX_REAL_OPENCL);
    void* symbol = dlsym(library, name);
    if (symbol == NULL) faultDie("the real library does not export", name);
    return symbol;
}

/* Declares real_<name>, the real loader's function, looked up once. */
#define REAL(name)                    \
    static cl_api_##name real_##name; \
    if (real_##name == NULL) real_##name = (cl_api_##name)realSymbol(#name)

static int answers(const struct DriverFault* fault) {
    return fault != NULL && fault->action == FAULT_ANSWER;
}

static int fails(const struct DriverFault* fault) {
    return fault != NULL && fault->action == FAULT_FAIL;
}

/* An info query's text fault: the scripted text, or the driver's without its
 * NUL. Answers 0 when the fault is not about texts. */
typedef cl_int (*InfoRead)(const void* object, cl_uint name, size_t size, void* value,
                           size_t* sizeReturned);

static int answerText(const struct DriverFault* fault, InfoRead read, const void* object,
                      cl_uint name, size_t size, void* value, size_t* sizeReturned,
                      cl_int* status) {
    if (fault == NULL || (fault->action != FAULT_TEXT && fault->action != FAULT_UNTERMINATED)) {
        return 0;
    }
    char* text = NULL;
    size_t length = 0;
    if (fault->action == FAULT_TEXT) {
        text = strdup(fault->text);
        length = strlen(text);
    } else {
        size_t driverSize = 0;
        *status = read(object, name, 0, NULL, &driverSize);
        if (*status != CL_SUCCESS) return 1;
        text = calloc(driverSize + 1, 1);
        *status = read(object, name, driverSize, text, NULL);
        if (*status != CL_SUCCESS) {
            free(text);
            return 1;
        }
        length = strnlen(text, driverSize);
    }
    /* A scripted text keeps its NUL; an unterminated one has none. */
    const size_t answered = fault->action == FAULT_TEXT ? length + 1 : length;
    *status = CL_SUCCESS;
    if (value != NULL && size < answered) *status = CL_INVALID_VALUE;
    if (value != NULL && size >= answered) memcpy(value, text, answered);
    if (sizeReturned != NULL) *sizeReturned = answered;
    free(text);
    return 1;
}

static int cpuAsGpu(void) { return hasDriverFault("clGetDeviceIDs", FAULT_GPU); }

CL_API_ENTRY cl_int CL_API_CALL clGetPlatformIDs(cl_uint size, cl_platform_id* platforms,
                                                 cl_uint* count) {
    const struct DriverFault* fault = driverFault("clGetPlatformIDs", FAULT_NO_SELECTOR);
    if (fails(fault)) return FAILED;
    REAL(clGetPlatformIDs);
    const cl_int status = real_clGetPlatformIDs(size, platforms, count);
    if (answers(fault) && count != NULL) *count = (cl_uint)fault->value;
    return status;
}

static cl_int readPlatformInfo(const void* platform, cl_uint name, size_t size, void* value,
                               size_t* sizeReturned) {
    REAL(clGetPlatformInfo);
    return real_clGetPlatformInfo((cl_platform_id)platform, name, size, value, sizeReturned);
}

CL_API_ENTRY cl_int CL_API_CALL clGetPlatformInfo(cl_platform_id platform, cl_platform_info name,
                                                  size_t size, void* value, size_t* sizeReturned) {
    const struct DriverFault* fault = driverFault("clGetPlatformInfo", name);
    if (fails(fault)) return FAILED;
    cl_int status = CL_SUCCESS;
    if (answerText(fault, readPlatformInfo, platform, name, size, value, sizeReturned, &status)) {
        return status;
    }
    status = readPlatformInfo(platform, name, size, value, sizeReturned);
    if (answers(fault) && value == NULL && sizeReturned != NULL) {
        *sizeReturned = (size_t)fault->value;
    }
    return status;
}

CL_API_ENTRY cl_int CL_API_CALL clGetDeviceIDs(cl_platform_id platform, cl_device_type type,
                                               cl_uint size, cl_device_id* devices,
                                               cl_uint* count) {
    const struct DriverFault* fault = driverFault("clGetDeviceIDs", FAULT_NO_SELECTOR);
    if (fails(fault)) return FAILED;
    REAL(clGetDeviceIDs);
    if (cpuAsGpu() && type == CL_DEVICE_TYPE_GPU) type = CL_DEVICE_TYPE_CPU;
    const cl_int status = real_clGetDeviceIDs(platform, type, size, devices, count);
    if (answers(fault) && count != NULL) *count = (cl_uint)fault->value;
    return status;
}

static cl_int readDeviceInfo(const void* device, cl_uint name, size_t size, void* value,
                             size_t* sizeReturned) {
    REAL(clGetDeviceInfo);
    return real_clGetDeviceInfo((cl_device_id)device, name, size, value, sizeReturned);
}

CL_API_ENTRY cl_int CL_API_CALL clGetDeviceInfo(cl_device_id device, cl_device_info name,
                                                size_t size, void* value, size_t* sizeReturned) {
    const struct DriverFault* fault = driverFault("clGetDeviceInfo", name);
    if (fails(fault)) return FAILED;
    cl_int status = CL_SUCCESS;
    if (answerText(fault, readDeviceInfo, device, name, size, value, sizeReturned, &status)) {
        return status;
    }
    status = readDeviceInfo(device, name, size, value, sizeReturned);
    if (status == CL_SUCCESS && cpuAsGpu() && name == CL_DEVICE_TYPE && value != NULL &&
        size >= sizeof(cl_device_type)) {
        *(cl_device_type*)value = CL_DEVICE_TYPE_GPU;
    }
    if (answers(fault) && value == NULL && sizeReturned != NULL) {
        *sizeReturned = (size_t)fault->value;
    }
    return status;
}

CL_API_ENTRY cl_context CL_API_CALL
clCreateContext(const cl_context_properties* properties, cl_uint count, const cl_device_id* devices,
                void(CL_CALLBACK* notify)(const char*, const void*, size_t, void*), void* data,
                cl_int* status) {
    if (fails(driverFault("clCreateContext", FAULT_NO_SELECTOR))) {
        if (status != NULL) *status = FAILED;
        return NULL;
    }
    REAL(clCreateContext);
    return real_clCreateContext(properties, count, devices, notify, data, status);
}

CL_API_ENTRY cl_int CL_API_CALL clReleaseContext(cl_context context) {
    driverFault("clReleaseContext", FAULT_NO_SELECTOR);
    REAL(clReleaseContext);
    return real_clReleaseContext(context);
}

#ifndef TROVEX_WITHOUT_QUEUES

CL_API_ENTRY cl_command_queue CL_API_CALL clCreateCommandQueue(cl_context context,
                                                               cl_device_id device,
                                                               cl_command_queue_properties flags,
                                                               cl_int* status) {
    if (fails(driverFault("clCreateCommandQueue", FAULT_NO_SELECTOR))) {
        if (status != NULL) *status = FAILED;
        return NULL;
    }
    REAL(clCreateCommandQueue);
    return real_clCreateCommandQueue(context, device, flags, status);
}

CL_API_ENTRY cl_int CL_API_CALL clReleaseCommandQueue(cl_command_queue queue) {
    driverFault("clReleaseCommandQueue", FAULT_NO_SELECTOR);
    REAL(clReleaseCommandQueue);
    return real_clReleaseCommandQueue(queue);
}

#endif
