#include "dataitem/GPUImplStatic.h"

#include <algorithm>

#include "failure/FailRequirement.h"

namespace {

// Callers provide room for kMaxGLQueryValues values; a description may list more.
void CopyQueryValues(const std::vector<int>& values, GLint* params) {
    const size_t count = std::min(values.size(), static_cast<size_t>(kMaxGLQueryValues));
    std::copy(values.begin(), values.begin() + count, params);
}

}  // namespace

GPUImplStatic::GPUImplStatic()
    : glMemoryMB(0),
      glVendorID(0),
      glRectTextureSize(0),
      glRendererID(0),
      hasGLNPOTSupport(false),
      canCompileProgramGLSL(false),
      glFrameBufferOK(false),
      clMemoryMB(0),
      clVendorID(0),
      cudaSupported(false),
      clBandwidth(0.0),
      clCompute(0.0),
      minCLBandwidth(0.0) {}

GPUImplStatic::~GPUImplStatic() {}

void GPUImplStatic::SetGPUs(const GLGPUVec& value) { gpus = value; }
void GPUImplStatic::SetCLGPUs(const CLGPUVec& value) { clGPUs = value; }

void GPUImplStatic::SetGLVersion(const std::string& value) { glVersion = value; }
void GPUImplStatic::SetGLMemoryMB(int value) { glMemoryMB = value; }
void GPUImplStatic::SetGLName(const std::string& value) { glName = value; }
void GPUImplStatic::SetGLVendor(const std::string& value) { glVendor = value; }
void GPUImplStatic::SetGLVendorID(int value) { glVendorID = value; }
void GPUImplStatic::SetGLDriverVersion(const std::string& value) { glDriverVersion = value; }
void GPUImplStatic::SetGLRectTextureSize(int value) { glRectTextureSize = value; }
void GPUImplStatic::SetGLRenderer(const std::string& value) { glRenderer = value; }
void GPUImplStatic::SetGLRendererID(int value) { glRendererID = value; }
void GPUImplStatic::SetHasGLNPOTSupport(bool value) { hasGLNPOTSupport = value; }
void GPUImplStatic::SetGLDriver(const std::string& value) { glDriver = value; }
void GPUImplStatic::SetGLDriverDate(const std::string& value) { glDriverDate = value; }
void GPUImplStatic::SetGLCaption(const std::string& value) { glCaption = value; }
void GPUImplStatic::SetCanCompileProgramGLSL(bool value) { canCompileProgramGLSL = value; }
void GPUImplStatic::SetGLFrameBufferOK(bool value) { glFrameBufferOK = value; }

void GPUImplStatic::SetGLString(int code, const char* value) {
    glStrings[code] = value != nullptr ? boost::shared_ptr<std::string>(new std::string(value))
                                       : boost::shared_ptr<std::string>();
}

void GPUImplStatic::SetGLIntegerv(int code, const std::vector<int>& values) {
    glIntegervValues[code] = values;
}

void GPUImplStatic::SetGLProgramivARB(int target, int code, const std::vector<int>& values) {
    glProgramivValues[target][code] = values;
}

void GPUImplStatic::SetExtension(int code, bool value) { extensions[code] = value; }

void GPUImplStatic::SetCLPlatformVersion(const std::string& value) { clPlatformVersion = value; }
void GPUImplStatic::SetCLMemoryMB(int value) { clMemoryMB = value; }
void GPUImplStatic::SetCLName(const std::string& value) { clName = value; }
void GPUImplStatic::SetCLVendor(const std::string& value) { clVendor = value; }
void GPUImplStatic::SetCLVendorID(int value) { clVendorID = value; }
void GPUImplStatic::SetCLDriverVersion(const std::string& value) { clDriverVersion = value; }
void GPUImplStatic::SetCUDASupported(bool value) { cudaSupported = value; }
void GPUImplStatic::SetCUDAVersion(const std::string& value) { cudaVersion = value; }
void GPUImplStatic::SetCLBandwidth(double value) { clBandwidth = value; }
void GPUImplStatic::SetCLCompute(double value) { clCompute = value; }
void GPUImplStatic::SetMinCLBandwidth(double value) { minCLBandwidth = value; }
void GPUImplStatic::SetCLDeviceVersion(const std::string& value) { clDeviceVersion = value; }

GLGPUVec GPUImplStatic::DoGetGPUs() { return gpus; }
std::string GPUImplStatic::DoGetGLVersion() { return glVersion; }
int GPUImplStatic::DoGetGLMemoryMB() { return glMemoryMB; }
std::string GPUImplStatic::DoGetGLName() { return glName; }
std::string GPUImplStatic::DoGetGLVendor() { return glVendor; }
int GPUImplStatic::DoGetGLVendorID() { return glVendorID; }
std::string GPUImplStatic::DoGetGLDriverVersion() { return glDriverVersion; }
int GPUImplStatic::DoGetGLRectTextureSize() { return glRectTextureSize; }
std::string GPUImplStatic::DoGetGLRenderer() { return glRenderer; }
int GPUImplStatic::DoGetGLRendererID() { return glRendererID; }
bool GPUImplStatic::DoHasGLNPOTSupport() { return hasGLNPOTSupport; }
std::string GPUImplStatic::DoGetGLDriver() { return glDriver; }
std::string GPUImplStatic::DoGetGLDriverDate() { return glDriverDate; }
std::string GPUImplStatic::DoGetGLCaption() { return glCaption; }
bool GPUImplStatic::DoCanCompileProgramGLSL() { return canCompileProgramGLSL; }
bool GPUImplStatic::DoGetGLFrameBufferOK() { return glFrameBufferOK; }

const char* GPUImplStatic::DoGLGetString(GLenum name) {
    std::map<int, boost::shared_ptr<std::string> >::const_iterator entry =
        glStrings.find(static_cast<int>(name));
    if (entry == glStrings.end()) FailRequirement("GLGetString value never set");
    return entry->second ? entry->second->c_str() : nullptr;
}

void GPUImplStatic::DoGLGetIntegerv(GLenum pname, GLint* params) {
    QueryValues::const_iterator entry = glIntegervValues.find(static_cast<int>(pname));
    if (entry == glIntegervValues.end()) FailRequirement("GLGetIntegerv value never set");
    CopyQueryValues(entry->second, params);
}

void GPUImplStatic::DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) {
    std::map<int, QueryValues>::const_iterator targetEntry =
        glProgramivValues.find(static_cast<int>(target));
    if (targetEntry == glProgramivValues.end())
        FailRequirement("GLGetProgramivARB target never set");
    QueryValues::const_iterator entry = targetEntry->second.find(static_cast<int>(pname));
    if (entry == targetEntry->second.end())
        FailRequirement("GLGetProgramivARB target code never set");
    CopyQueryValues(entry->second, params);
}

bool GPUImplStatic::DoCheckExtension(Quelt::OGL::OpenGLExtension extension) {
    std::map<int, bool>::const_iterator entry = extensions.find(static_cast<int>(extension));
    if (entry == extensions.end()) FailRequirement("CheckExtension extension never set");
    return entry->second;
}

CLGPUVec GPUImplStatic::DoGetCLGPUs() { return clGPUs; }
std::string GPUImplStatic::DoGetCLPlatformVersion() { return clPlatformVersion; }
int GPUImplStatic::DoGetCLMemoryMB() { return clMemoryMB; }
std::string GPUImplStatic::DoGetCLName() { return clName; }
std::string GPUImplStatic::DoGetCLVendor() { return clVendor; }
int GPUImplStatic::DoGetCLVendorID() { return clVendorID; }
std::string GPUImplStatic::DoGetCLDriverVersion() { return clDriverVersion; }
bool GPUImplStatic::DoGetCUDASupported() { return cudaSupported; }
std::string GPUImplStatic::DoGetCUDAVersion() { return cudaVersion; }
double GPUImplStatic::DoGetCLBandwidth() { return clBandwidth; }
double GPUImplStatic::DoGetCLCompute() { return clCompute; }
double GPUImplStatic::DoGetMinCLBandwidth() { return minCLBandwidth; }
std::string GPUImplStatic::DoGetCLDeviceVersion() { return clDeviceVersion; }
