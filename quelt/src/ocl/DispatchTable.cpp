#include "quelt/src/core/EntryPoints.h"
#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

// The table's members are named after the functions they hold.
#define QUELT_LOAD(name) Core::loadEntry(exported, table.name, #name)

DispatchTable loadDispatchTable(const Core::SharedObject& loader) {
    const auto exported = Core::exportsOf(loader);
    DispatchTable table{};
    QUELT_LOAD(clGetPlatformIDs);
    QUELT_LOAD(clGetPlatformInfo);
    QUELT_LOAD(clGetDeviceIDs);
    QUELT_LOAD(clGetDeviceInfo);
    QUELT_LOAD(clCreateContext);
    QUELT_LOAD(clCreateContextFromType);
    QUELT_LOAD(clRetainContext);
    QUELT_LOAD(clReleaseContext);
    QUELT_LOAD(clGetContextInfo);
    QUELT_LOAD(clCreateCommandQueue);
    QUELT_LOAD(clRetainCommandQueue);
    QUELT_LOAD(clReleaseCommandQueue);
    QUELT_LOAD(clGetCommandQueueInfo);
    QUELT_LOAD(clSetCommandQueueProperty);
    QUELT_LOAD(clCreateBuffer);
    QUELT_LOAD(clCreateImage2D);
    QUELT_LOAD(clCreateImage3D);
    QUELT_LOAD(clRetainMemObject);
    QUELT_LOAD(clReleaseMemObject);
    QUELT_LOAD(clGetSupportedImageFormats);
    QUELT_LOAD(clGetMemObjectInfo);
    QUELT_LOAD(clGetImageInfo);
    QUELT_LOAD(clCreateSampler);
    QUELT_LOAD(clRetainSampler);
    QUELT_LOAD(clReleaseSampler);
    QUELT_LOAD(clGetSamplerInfo);
    QUELT_LOAD(clCreateProgramWithSource);
    QUELT_LOAD(clCreateProgramWithBinary);
    QUELT_LOAD(clRetainProgram);
    QUELT_LOAD(clReleaseProgram);
    QUELT_LOAD(clBuildProgram);
    QUELT_LOAD(clUnloadCompiler);
    QUELT_LOAD(clGetProgramInfo);
    QUELT_LOAD(clGetProgramBuildInfo);
    QUELT_LOAD(clCreateKernel);
    QUELT_LOAD(clCreateKernelsInProgram);
    QUELT_LOAD(clRetainKernel);
    QUELT_LOAD(clReleaseKernel);
    QUELT_LOAD(clSetKernelArg);
    QUELT_LOAD(clGetKernelInfo);
    QUELT_LOAD(clGetKernelWorkGroupInfo);
    QUELT_LOAD(clWaitForEvents);
    QUELT_LOAD(clGetEventInfo);
    QUELT_LOAD(clRetainEvent);
    QUELT_LOAD(clReleaseEvent);
    QUELT_LOAD(clGetEventProfilingInfo);
    QUELT_LOAD(clFlush);
    QUELT_LOAD(clFinish);
    QUELT_LOAD(clEnqueueReadBuffer);
    QUELT_LOAD(clEnqueueWriteBuffer);
    QUELT_LOAD(clEnqueueCopyBuffer);
    QUELT_LOAD(clEnqueueReadImage);
    QUELT_LOAD(clEnqueueWriteImage);
    QUELT_LOAD(clEnqueueCopyImage);
    QUELT_LOAD(clEnqueueCopyImageToBuffer);
    QUELT_LOAD(clEnqueueCopyBufferToImage);
    QUELT_LOAD(clEnqueueMapBuffer);
    QUELT_LOAD(clEnqueueMapImage);
    QUELT_LOAD(clEnqueueUnmapMemObject);
    QUELT_LOAD(clEnqueueNDRangeKernel);
    QUELT_LOAD(clEnqueueTask);
    QUELT_LOAD(clEnqueueNativeKernel);
    QUELT_LOAD(clEnqueueMarker);
    QUELT_LOAD(clEnqueueWaitForEvents);
    QUELT_LOAD(clEnqueueBarrier);
    QUELT_LOAD(clGetExtensionFunctionAddress);
    QUELT_LOAD(clCreateFromGLBuffer);
    QUELT_LOAD(clCreateFromGLTexture2D);
    QUELT_LOAD(clCreateFromGLTexture3D);
    QUELT_LOAD(clCreateFromGLRenderbuffer);
    QUELT_LOAD(clGetGLObjectInfo);
    QUELT_LOAD(clGetGLTextureInfo);
    QUELT_LOAD(clEnqueueAcquireGLObjects);
    QUELT_LOAD(clEnqueueReleaseGLObjects);
    QUELT_LOAD(clGetGLContextInfoKHR);
    QUELT_LOAD(clGetDeviceIDsFromD3D10KHR);
    QUELT_LOAD(clCreateFromD3D10BufferKHR);
    QUELT_LOAD(clCreateFromD3D10Texture2DKHR);
    QUELT_LOAD(clCreateFromD3D10Texture3DKHR);
    QUELT_LOAD(clEnqueueAcquireD3D10ObjectsKHR);
    QUELT_LOAD(clEnqueueReleaseD3D10ObjectsKHR);
    QUELT_LOAD(clSetEventCallback);
    QUELT_LOAD(clCreateSubBuffer);
    QUELT_LOAD(clSetMemObjectDestructorCallback);
    QUELT_LOAD(clCreateUserEvent);
    QUELT_LOAD(clSetUserEventStatus);
    QUELT_LOAD(clEnqueueReadBufferRect);
    QUELT_LOAD(clEnqueueWriteBufferRect);
    QUELT_LOAD(clEnqueueCopyBufferRect);
    QUELT_LOAD(clCreateSubDevicesEXT);
    QUELT_LOAD(clRetainDeviceEXT);
    QUELT_LOAD(clReleaseDeviceEXT);
    QUELT_LOAD(clCreateEventFromGLsyncKHR);
    QUELT_LOAD(clCreateSubDevices);
    QUELT_LOAD(clRetainDevice);
    QUELT_LOAD(clReleaseDevice);
    QUELT_LOAD(clCreateImage);
    QUELT_LOAD(clCreateProgramWithBuiltInKernels);
    QUELT_LOAD(clCompileProgram);
    QUELT_LOAD(clLinkProgram);
    QUELT_LOAD(clUnloadPlatformCompiler);
    QUELT_LOAD(clGetKernelArgInfo);
    QUELT_LOAD(clEnqueueFillBuffer);
    QUELT_LOAD(clEnqueueFillImage);
    QUELT_LOAD(clEnqueueMigrateMemObjects);
    QUELT_LOAD(clEnqueueMarkerWithWaitList);
    QUELT_LOAD(clEnqueueBarrierWithWaitList);
    QUELT_LOAD(clGetExtensionFunctionAddressForPlatform);
    QUELT_LOAD(clCreateFromGLTexture);
    QUELT_LOAD(clGetDeviceIDsFromD3D11KHR);
    QUELT_LOAD(clCreateFromD3D11BufferKHR);
    QUELT_LOAD(clCreateFromD3D11Texture2DKHR);
    QUELT_LOAD(clCreateFromD3D11Texture3DKHR);
    QUELT_LOAD(clCreateFromDX9MediaSurfaceKHR);
    QUELT_LOAD(clEnqueueAcquireD3D11ObjectsKHR);
    QUELT_LOAD(clEnqueueReleaseD3D11ObjectsKHR);
    QUELT_LOAD(clGetDeviceIDsFromDX9MediaAdapterKHR);
    QUELT_LOAD(clEnqueueAcquireDX9MediaSurfacesKHR);
    QUELT_LOAD(clEnqueueReleaseDX9MediaSurfacesKHR);
    QUELT_LOAD(clCreateFromEGLImageKHR);
    QUELT_LOAD(clEnqueueAcquireEGLObjectsKHR);
    QUELT_LOAD(clEnqueueReleaseEGLObjectsKHR);
    QUELT_LOAD(clCreateEventFromEGLSyncKHR);
    QUELT_LOAD(clCreateCommandQueueWithProperties);
    QUELT_LOAD(clCreatePipe);
    QUELT_LOAD(clGetPipeInfo);
    QUELT_LOAD(clSVMAlloc);
    QUELT_LOAD(clSVMFree);
    QUELT_LOAD(clEnqueueSVMFree);
    QUELT_LOAD(clEnqueueSVMMemcpy);
    QUELT_LOAD(clEnqueueSVMMemFill);
    QUELT_LOAD(clEnqueueSVMMap);
    QUELT_LOAD(clEnqueueSVMUnmap);
    QUELT_LOAD(clCreateSamplerWithProperties);
    QUELT_LOAD(clSetKernelArgSVMPointer);
    QUELT_LOAD(clSetKernelExecInfo);
    QUELT_LOAD(clGetKernelSubGroupInfoKHR);
    QUELT_LOAD(clCloneKernel);
    QUELT_LOAD(clCreateProgramWithIL);
    QUELT_LOAD(clEnqueueSVMMigrateMem);
    QUELT_LOAD(clGetDeviceAndHostTimer);
    QUELT_LOAD(clGetHostTimer);
    QUELT_LOAD(clGetKernelSubGroupInfo);
    QUELT_LOAD(clSetDefaultDeviceCommandQueue);
    QUELT_LOAD(clSetProgramReleaseCallback);
    QUELT_LOAD(clSetProgramSpecializationConstant);
    QUELT_LOAD(clCreateBufferWithProperties);
    QUELT_LOAD(clCreateImageWithProperties);
    QUELT_LOAD(clSetContextDestructorCallback);
    return table;
}

#undef QUELT_LOAD

}  // namespace OCL
}  // namespace Quelt
