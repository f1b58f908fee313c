#pragma once

#include <boost/shared_ptr.hpp>
#include <string>

#include "gpu/GPUImpl.h"
#include "quelt/quelt_ocl/CommandQueue"
#include "quelt/quelt_ocl/Context"
#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ogl/Context.h"
#include "quelt/quelt_ogl/OpenGL.h"

// The back end that asks the drivers: OpenGL questions on its own context,
// OpenCL questions on its own device. What only the operating system knows about
// an adapter (driver, caption, ids, memory) is left to a subclass.
class GPUImplHardware : public GPUImpl {
public:
    GPUImplHardware();
    ~GPUImplHardware() override;

    void SetGLContext(const boost::shared_ptr<Quelt::OGL::Context>& newContext);
    void SetCLDevice(const Quelt::OCL::Device& newDevice);

    // Copy bandwidth of the queue's device in bytes per second: the best pass of
    // up to ten passes of ten 16 MiB copies, stopping after one second of copying.
    // The queue must record profiling times.
    static double MeasureCLBandwidth(const Quelt::OCL::Context& clContext,
                                     const Quelt::OCL::CommandQueue& queue);
    // Multiplications per second, in units of 2^30, of one run of the justIterate
    // kernel over 2^20 floats. The queue must record profiling times.
    static double MeasureCLCompute(const Quelt::OCL::Context& clContext,
                                   const Quelt::OCL::CommandQueue& queue);

protected:
    std::string DoGetGLVersion() override;
    std::string DoGetGLName() override;
    std::string DoGetGLVendor() override;
    int DoGetGLRectTextureSize() override;
    std::string DoGetGLRenderer() override;
    bool DoHasGLNPOTSupport() override;
    bool DoCanCompileProgramGLSL() override;
    bool DoGetGLFrameBufferOK() override;
    const char* DoGLGetString(GLenum name) override;
    void DoGLGetIntegerv(GLenum pname, GLint* params) override;
    void DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) override;
    bool DoCheckExtension(Quelt::OGL::OpenGLExtension extension) override;

    CLGPUVec DoGetCLGPUs() override;
    std::string DoGetCLPlatformVersion() override;
    int DoGetCLMemoryMB() override;
    std::string DoGetCLName() override;
    std::string DoGetCLVendor() override;
    int DoGetCLVendorID() override;
    std::string DoGetCLDriverVersion() override;
    bool DoGetCUDASupported() override;
    std::string DoGetCUDAVersion() override;
    double DoGetCLBandwidth() override;
    double DoGetCLCompute() override;
    double DoGetMinCLBandwidth() override;
    std::string DoGetCLDeviceVersion() override;

private:
    boost::shared_ptr<Quelt::OGL::Context> context;
    Quelt::OCL::Device device;
};
