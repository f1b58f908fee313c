#pragma once

#include <GPUTrovex/gpu/GLTypes.h>
#include <GPUTrovex/gpu/GPUVectors.h>
#include <GPUTrovex/quelt/quelt_ogl/OpenGLExtension.h>

#include <string>

// Room a caller provides for the values of one glGetIntegerv or glGetProgramivARB
// query: far more than any of the queries the system asks returns (16 at most),
// as a driver may write more than it should.
const int kMaxGLQueryValues = 64;

// The back-end interface every GPU record forwards its queries to. Each public
// query calls the protected virtual of the same name with the prefix Do.
class GPUImpl {
public:
    virtual ~GPUImpl();

    GLGPUVec GetGPUs() { return DoGetGPUs(); }
    std::string GetGLVersion() { return DoGetGLVersion(); }
    int GetGLMemoryMB() { return DoGetGLMemoryMB(); }
    std::string GetGLName() { return DoGetGLName(); }
    std::string GetGLVendor() { return DoGetGLVendor(); }
    int GetGLVendorID() { return DoGetGLVendorID(); }
    std::string GetGLDriverVersion() { return DoGetGLDriverVersion(); }
    int GetGLRectTextureSize() { return DoGetGLRectTextureSize(); }
    std::string GetGLRenderer() { return DoGetGLRenderer(); }
    int GetGLRendererID() { return DoGetGLRendererID(); }
    bool HasGLNPOTSupport() { return DoHasGLNPOTSupport(); }
    std::string GetGLDriver() { return DoGetGLDriver(); }
    std::string GetGLDriverDate() { return DoGetGLDriverDate(); }
    std::string GetGLCaption() { return DoGetGLCaption(); }
    bool CanCompileProgramGLSL() { return DoCanCompileProgramGLSL(); }
    bool GetGLFrameBufferOK() { return DoGetGLFrameBufferOK(); }
    const char* GLGetString(GLenum name) { return DoGLGetString(name); }
    void GLGetIntegerv(GLenum pname, GLint* params) { DoGLGetIntegerv(pname, params); }
    void GLGetProgramivARB(GLenum target, GLenum pname, GLint* params) {
        DoGLGetProgramivARB(target, pname, params);
    }
    bool CheckExtension(Quelt::OGL::OpenGLExtension extension) {
        return DoCheckExtension(extension);
    }
    CLGPUVec GetCLGPUs() { return DoGetCLGPUs(); }
    std::string GetCLPlatformVersion() { return DoGetCLPlatformVersion(); }
    int GetCLMemoryMB() { return DoGetCLMemoryMB(); }
    std::string GetCLName() { return DoGetCLName(); }
    std::string GetCLVendor() { return DoGetCLVendor(); }
    int GetCLVendorID() { return DoGetCLVendorID(); }
    std::string GetCLDriverVersion() { return DoGetCLDriverVersion(); }
    bool GetCUDASupported() { return DoGetCUDASupported(); }
    std::string GetCUDAVersion() { return DoGetCUDAVersion(); }
    double GetCLBandwidth() { return DoGetCLBandwidth(); }
    double GetCLCompute() { return DoGetCLCompute(); }
    double GetMinCLBandwidth() { return DoGetMinCLBandwidth(); }
    std::string GetCLDeviceVersion() { return DoGetCLDeviceVersion(); }

protected:
    virtual GLGPUVec DoGetGPUs() = 0;
    virtual std::string DoGetGLVersion() = 0;
    virtual int DoGetGLMemoryMB() = 0;
    virtual std::string DoGetGLName() = 0;
    virtual std::string DoGetGLVendor() = 0;
    virtual int DoGetGLVendorID() = 0;
    virtual std::string DoGetGLDriverVersion() = 0;
    virtual int DoGetGLRectTextureSize() = 0;
    virtual std::string DoGetGLRenderer() = 0;
    virtual int DoGetGLRendererID() = 0;
    virtual bool DoHasGLNPOTSupport() = 0;
    virtual std::string DoGetGLDriver() = 0;
    virtual std::string DoGetGLDriverDate() = 0;
    virtual std::string DoGetGLCaption() = 0;
    virtual bool DoCanCompileProgramGLSL() = 0;
    virtual bool DoGetGLFrameBufferOK() = 0;
    virtual const char* DoGLGetString(GLenum name) = 0;
    virtual void DoGLGetIntegerv(GLenum pname, GLint* params) = 0;
    virtual void DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) = 0;
    virtual bool DoCheckExtension(Quelt::OGL::OpenGLExtension extension) = 0;
    virtual CLGPUVec DoGetCLGPUs() = 0;
    virtual std::string DoGetCLPlatformVersion() = 0;
    virtual int DoGetCLMemoryMB() = 0;
    virtual std::string DoGetCLName() = 0;
    virtual std::string DoGetCLVendor() = 0;
    virtual int DoGetCLVendorID() = 0;
    virtual std::string DoGetCLDriverVersion() = 0;
    virtual bool DoGetCUDASupported() = 0;
    virtual std::string DoGetCUDAVersion() = 0;
    virtual double DoGetCLBandwidth() = 0;
    virtual double DoGetCLCompute() = 0;
    virtual double DoGetMinCLBandwidth() = 0;
    virtual std::string DoGetCLDeviceVersion() = 0;
};

typedef boost::shared_ptr<GPUImpl> GPUImplPtr;
