#pragma once

#include <boost/shared_ptr.hpp>
#include <map>
#include <string>
#include <vector>

#include "gpu/GPUImpl.h"

// A back end that asks no driver: it answers from values stored in it, which a
// description read back from a report supplies. A query for an OpenGL value that
// was never stored fails rather than inventing one.
class GPUImplStatic : public GPUImpl {
public:
    GPUImplStatic();
    ~GPUImplStatic() override;

    void SetGPUs(const GLGPUVec& gpus);
    void SetCLGPUs(const CLGPUVec& gpus);

    void SetGLVersion(const std::string& value);
    void SetGLMemoryMB(int value);
    void SetGLName(const std::string& value);
    void SetGLVendor(const std::string& value);
    void SetGLVendorID(int value);
    void SetGLDriverVersion(const std::string& value);
    void SetGLRectTextureSize(int value);
    void SetGLRenderer(const std::string& value);
    void SetGLRendererID(int value);
    void SetHasGLNPOTSupport(bool value);
    void SetGLDriver(const std::string& value);
    void SetGLDriverDate(const std::string& value);
    void SetGLCaption(const std::string& value);
    void SetCanCompileProgramGLSL(bool value);
    void SetGLFrameBufferOK(bool value);

    // A null text is stored as such and answered as null.
    void SetGLString(int code, const char* value);
    void SetGLIntegerv(int code, const std::vector<int>& values);
    void SetGLProgramivARB(int target, int code, const std::vector<int>& values);
    void SetExtension(int code, bool value);

    void SetCLPlatformVersion(const std::string& value);
    void SetCLMemoryMB(int value);
    void SetCLName(const std::string& value);
    void SetCLVendor(const std::string& value);
    void SetCLVendorID(int value);
    void SetCLDriverVersion(const std::string& value);
    void SetCUDASupported(bool value);
    void SetCUDAVersion(const std::string& value);
    void SetCLBandwidth(double value);
    void SetCLCompute(double value);
    void SetMinCLBandwidth(double value);
    void SetCLDeviceVersion(const std::string& value);

protected:
    GLGPUVec DoGetGPUs() override;
    std::string DoGetGLVersion() override;
    int DoGetGLMemoryMB() override;
    std::string DoGetGLName() override;
    std::string DoGetGLVendor() override;
    int DoGetGLVendorID() override;
    std::string DoGetGLDriverVersion() override;
    int DoGetGLRectTextureSize() override;
    std::string DoGetGLRenderer() override;
    int DoGetGLRendererID() override;
    bool DoHasGLNPOTSupport() override;
    std::string DoGetGLDriver() override;
    std::string DoGetGLDriverDate() override;
    std::string DoGetGLCaption() override;
    bool DoCanCompileProgramGLSL() override;
    bool DoGetGLFrameBufferOK() override;
    // The text lives in this back end until its entry is replaced.
    const char* DoGLGetString(GLenum name) override;
    // Writes at most kMaxGLQueryValues values, however many the description listed.
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
    typedef std::map<int, std::vector<int> > QueryValues;

    GLGPUVec gpus;
    CLGPUVec clGPUs;
    std::string glVersion;
    int glMemoryMB;
    std::string glName;
    std::string glVendor;
    int glVendorID;
    std::string glDriverVersion;
    int glRectTextureSize;
    std::string glRenderer;
    int glRendererID;
    bool hasGLNPOTSupport;
    std::string glDriver;
    std::string glDriverDate;
    std::string glCaption;
    bool canCompileProgramGLSL;
    bool glFrameBufferOK;
    std::map<int, boost::shared_ptr<std::string> > glStrings;
    QueryValues glIntegervValues;
    std::map<int, QueryValues> glProgramivValues;
    std::map<int, bool> extensions;
    std::string clPlatformVersion;
    int clMemoryMB;
    std::string clName;
    std::string clVendor;
    int clVendorID;
    std::string clDriverVersion;
    bool cudaSupported;
    std::string cudaVersion;
    double clBandwidth;
    double clCompute;
    double minCLBandwidth;
    std::string clDeviceVersion;
};
