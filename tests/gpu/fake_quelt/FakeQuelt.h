#pragma once

// Control of the fake foundation library: tests script what the "driver" answers
// and read back what the code under test asked. Reset() restores a driver that
// supports nothing and has no devices.
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/quelt_ogl/DisplayDevice.h"
#include "quelt/quelt_ogl/OpenGL.h"

namespace FakeQuelt {

struct GLState {
    // OpenGL answers.
    std::set<int> supported;
    bool extensionManagerMissing = false;
    PFNGLGETPROGRAMIVARBPROC getProgramivARB = nullptr;
    std::map<GLenum, const char*> strings;          // names not listed give null
    std::map<GLenum, std::vector<GLint>> integers;  // names not listed write nothing
    std::deque<GLenum> errors;                      // glGetError gives these, then GL_NO_ERROR
    // Each glGetString, glGetIntegerv or glClear call raises the next of these:
    // it joins errors.
    std::deque<GLenum> callErrors;
    bool compileFails = false;
    bool linkFails = false;
    bool textureFails = false;

    // Display devices; a context on a device whose DeviceName is listed in
    // failingDevices throws.
    std::vector<DISPLAY_DEVICEA> displayDevices;
    std::set<std::string> failingDevices;

    // What the code asked.
    std::vector<int> askedExtensions;
    std::string current;                 // DeviceName of the current context
    std::vector<std::string> queriedOn;  // current context of each glGet* call
    int contextsCreated = 0;
    int contextsAlive = 0;
    std::vector<std::string> vertexPieces;
    std::vector<std::string> fragmentPieces;
    bool piecesHadLengths = false;
    bool linkedWithCheck = false;
    std::vector<GLfloat> clearColor;
};

struct CLDevice {
    std::string name;
    std::string vendor;
    cl_ulong globalMemSize = 0;
    cl_uint vendorId = 0;
};

GLState& GL();

DISPLAY_DEVICEA MakeDisplayDevice(const std::string& deviceName, const std::string& deviceString);

// Called by each fake OpenGL call that can fail: raises the next of GL().callErrors.
void RaiseCallError();

// OpenCL platforms and their GPU devices; the handles stay valid until Reset().
cl_platform_id AddPlatform(const std::string& version);
cl_device_id AddGPU(cl_platform_id platform, const CLDevice& device);
// The loader's entry points as the library hands them out.
Quelt::OCL::DispatchTable& CLTable();

void Reset();

}  // namespace FakeQuelt
