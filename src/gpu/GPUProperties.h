#pragma once

#include <string>

// Every single-valued answer of a GPU back end, described once: the property name
// (a report key and a member name of the description language), its value type, and
// the GPUImpl query that answers it. The static back end's fields, setters and
// answers, the description reader's member table and the simulated machine are made
// from these lists; GPUImpl itself and the records keep their queries written out.
//
// Each entry is X(Name, Type, Query). The lists keep the order of the back end's
// fields, which is the order a description item lists its members in.
#define TROVEX_GL_PROPERTIES(X)                           \
    X(GLVersion, std::string, GetGLVersion)               \
    X(GLMemoryMB, int, GetGLMemoryMB)                     \
    X(GLName, std::string, GetGLName)                     \
    X(GLVendor, std::string, GetGLVendor)                 \
    X(GLVendorID, int, GetGLVendorID)                     \
    X(GLDriverVersion, std::string, GetGLDriverVersion)   \
    X(GLRectTextureSize, int, GetGLRectTextureSize)       \
    X(GLRenderer, std::string, GetGLRenderer)             \
    X(GLRendererID, int, GetGLRendererID)                 \
    X(HasGLNPOTSupport, bool, HasGLNPOTSupport)           \
    X(GLDriver, std::string, GetGLDriver)                 \
    X(GLDriverDate, std::string, GetGLDriverDate)         \
    X(GLCaption, std::string, GetGLCaption)               \
    X(CanCompileProgramGLSL, bool, CanCompileProgramGLSL) \
    X(GLFrameBufferOK, bool, GetGLFrameBufferOK)

#define TROVEX_CL_PROPERTIES(X)                             \
    X(CLPlatformVersion, std::string, GetCLPlatformVersion) \
    X(CLMemoryMB, int, GetCLMemoryMB)                       \
    X(CLName, std::string, GetCLName)                       \
    X(CLVendor, std::string, GetCLVendor)                   \
    X(CLVendorID, int, GetCLVendorID)                       \
    X(CLDriverVersion, std::string, GetCLDriverVersion)     \
    X(CUDASupported, bool, GetCUDASupported)                \
    X(CUDAVersion, std::string, GetCUDAVersion)             \
    X(CLBandwidth, double, GetCLBandwidth)                  \
    X(CLCompute, double, GetCLCompute)                      \
    X(MinCLBandwidth, double, GetMinCLBandwidth)            \
    X(CLDeviceVersion, std::string, GetCLDeviceVersion)
