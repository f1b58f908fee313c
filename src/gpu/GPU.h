#pragma once

#include <GPUTrovex/gpu/GPUImpl.h>

#include <boost/shared_ptr.hpp>
#include <string>

// One probed device. A record holds no answers of its own: every query goes to
// its back end.
class GPU {
public:
    explicit GPU(const boost::shared_ptr<GPUImpl>& impl);
    virtual ~GPU();

    std::string GetVersion() { return DoGetVersion(); }
    int GetMemoryMB() { return DoGetMemoryMB(); }
    std::string GetName() { return DoGetName(); }
    std::string GetVendor() { return DoGetVendor(); }
    int GetVendorID() { return DoGetVendorID(); }
    std::string GetDriverVersion() { return DoGetDriverVersion(); }

protected:
    GPUImpl* GetImpl() const { return impl.get(); }

    virtual std::string DoGetVersion() = 0;
    virtual int DoGetMemoryMB() = 0;
    virtual std::string DoGetName() = 0;
    virtual std::string DoGetVendor() = 0;
    virtual int DoGetVendorID() = 0;
    virtual std::string DoGetDriverVersion() = 0;

private:
    boost::shared_ptr<GPUImpl> impl;
};

// An OpenGL device: the common queries answer with OpenGL values.
class GLGPU : public GPU {
public:
    explicit GLGPU(const boost::shared_ptr<GPUImpl>& impl);
    ~GLGPU() override;

    int GetGLRectTextureSize() { return GetImpl()->GetGLRectTextureSize(); }
    std::string GetGLRenderer() { return GetImpl()->GetGLRenderer(); }
    int GetGLRendererID() { return GetImpl()->GetGLRendererID(); }
    bool HasGLNPOTSupport() { return GetImpl()->HasGLNPOTSupport(); }
    std::string GetGLDriver() { return GetImpl()->GetGLDriver(); }
    std::string GetGLDriverDate() { return GetImpl()->GetGLDriverDate(); }
    std::string GetGLCaption() { return GetImpl()->GetGLCaption(); }
    bool CanCompileProgramGLSL() { return GetImpl()->CanCompileProgramGLSL(); }
    bool GetGLFrameBufferOK() { return GetImpl()->GetGLFrameBufferOK(); }
    const char* GLGetString(GLenum name) { return GetImpl()->GLGetString(name); }
    void GLGetIntegerv(GLenum pname, GLint* params) { GetImpl()->GLGetIntegerv(pname, params); }
    void GLGetProgramivARB(GLenum target, GLenum pname, GLint* params) {
        GetImpl()->GLGetProgramivARB(target, pname, params);
    }
    bool CheckExtension(Quelt::OGL::OpenGLExtension extension) {
        return GetImpl()->CheckExtension(extension);
    }

protected:
    std::string DoGetVersion() override;
    int DoGetMemoryMB() override;
    // The name of an OpenGL device is its renderer text.
    std::string DoGetName() override;
    std::string DoGetVendor() override;
    int DoGetVendorID() override;
    std::string DoGetDriverVersion() override;
};

// An OpenCL device: the common queries answer with OpenCL values.
class CLGPU : public GPU {
public:
    explicit CLGPU(const boost::shared_ptr<GPUImpl>& impl);
    ~CLGPU() override;

    bool GetCUDASupported() { return GetImpl()->GetCUDASupported(); }
    std::string GetCUDAVersion() { return GetImpl()->GetCUDAVersion(); }
    double GetCLBandwidth() { return GetImpl()->GetCLBandwidth(); }
    double GetCLCompute() { return GetImpl()->GetCLCompute(); }
    double GetMinCLBandwidth() { return GetImpl()->GetMinCLBandwidth(); }
    std::string GetCLDeviceVersion() { return GetImpl()->GetCLDeviceVersion(); }
    std::string GetCLPlatformVersion() { return GetImpl()->GetCLPlatformVersion(); }

protected:
    std::string DoGetVersion() override;
    int DoGetMemoryMB() override;
    std::string DoGetName() override;
    std::string DoGetVendor() override;
    int DoGetVendorID() override;
    std::string DoGetDriverVersion() override;

    virtual bool DoGetCUDASupported();
    virtual std::string DoGetCUDAVersion();
    virtual double DoGetCLBandwidth();
    virtual double DoGetMinCLBandwidth();
    virtual std::string DoGetCLDeviceVersion();
};
