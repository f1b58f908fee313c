#pragma once

#include <cstdint>
#include <string>

#include "TaggedGPU.h"
#include "gpu/GPU.h"

class GPUTest;

// One probing run: initialises the foundation library, enumerates the OpenGL and
// OpenCL GPUs, runs the per-GPU tests and writes every answer as a report line.
// Every step advances a counter that the -failAfter and -throwAfter hooks watch.
class Tester {
public:
    Tester();
    virtual ~Tester();

    void SetFailAfter(int count) { failAfter = count; }
    void SetThrowAfter(int count) { throwAfter = count; }
    void Run();
    int FailureCount() const { return failureCount; }
    void CountFailure() { ++failureCount; }
    void Step();

protected:
    virtual void DoRunHeader();
    virtual void DoRunQueltCoreInitialize();
    virtual void DoRunQueltOGLInitialize();
    virtual void DoRunOGLContextCreate();
    virtual void DoRunGetGLGPUs();
    virtual void DoRunGLTests();
    virtual void DoRunQueltOCLInitialize();
    virtual void DoRunGetCLGPUs();
    virtual void DoRunCLTests();
    virtual void DoRunFooter();
    [[noreturn]] virtual void ProgrammedFailure();
    virtual std::string TimeStamp();
    virtual void WriteMarker(const std::string& key);

public:
    virtual void RunTest(TaggedGPUList& list, const GPUTest& test);

    virtual void TestGLVersion(const std::string& tag, GLGPU* gpu);
    virtual void TestGLName(const std::string& tag, GLGPU* gpu);
    virtual void TestGLMemoryMB(const std::string& tag, GLGPU* gpu);
    virtual void TestGLVendor(const std::string& tag, GLGPU* gpu);
    virtual void TestGLVendorID(const std::string& tag, GLGPU* gpu);
    virtual void TestGLDriverVersion(const std::string& tag, GLGPU* gpu);
    virtual void TestGLRectTextureSize(const std::string& tag, GLGPU* gpu);
    virtual void TestGLRenderer(const std::string& tag, GLGPU* gpu);
    virtual void TestGLRendererID(const std::string& tag, GLGPU* gpu);
    virtual void TestHasGLNPOTSupport(const std::string& tag, GLGPU* gpu);
    virtual void TestGLDriver(const std::string& tag, GLGPU* gpu);
    virtual void TestGLDriverDate(const std::string& tag, GLGPU* gpu);
    virtual void TestCanCompileProgramGLSL(const std::string& tag, GLGPU* gpu);
    virtual void TestGLFrameBufferOK(const std::string& tag, GLGPU* gpu);

    virtual void TestCLPlatformVersion(const std::string& tag, CLGPU* gpu);
    virtual void TestCLName(const std::string& tag, CLGPU* gpu);
    virtual void TestCLMemoryMB(const std::string& tag, CLGPU* gpu);
    virtual void TestCLVendor(const std::string& tag, CLGPU* gpu);
    virtual void TestCLVendorID(const std::string& tag, CLGPU* gpu);
    virtual void TestCLDriverVersion(const std::string& tag, CLGPU* gpu);
    virtual void TestCUDASupported(const std::string& tag, CLGPU* gpu);
    virtual void TestCUDAVersion(const std::string& tag, CLGPU* gpu);
    virtual void TestCLBandwidth(const std::string& tag, CLGPU* gpu);
    virtual void TestCLDeviceVersion(const std::string& tag, CLGPU* gpu);

    virtual void TestGLGetString(const std::string& tag, GLGPU* gpu, const char* name, int value);
    virtual void TestGLGetIntegerv(const std::string& tag, GLGPU* gpu, const char* name, int value,
                                   int count);
    virtual void TestGLGetProgramivARB(const std::string& tag, GLGPU* gpu, const char* name,
                                       int value, int count);
    virtual void TestExtension(const std::string& tag, GLGPU* gpu, const char* name, int extension);

protected:
    TaggedGPUList CopyGLGPUs() const { return glGPUs; }
    void AssignGLGPUs(const TaggedGPUList& list) { glGPUs = list; }
    TaggedGPUList CopyCLGPUs() const { return clGPUs; }
    void AssignCLGPUs(const TaggedGPUList& list) { clGPUs = list; }

private:
    Tester(const Tester&) = delete;
    Tester& operator=(const Tester&) = delete;

    // Writes tag.key=value, then takes a step.
    void WriteProperty(const std::string& tag, const char* key, const std::string& value);

    bool clAvailable;
    int32_t failAfter;
    int32_t stepCount;
    int32_t throwAfter;
    int32_t failureCount;
    TaggedGPUList glGPUs;
    TaggedGPUList clGPUs;
};
