#include "gpu/win/GPUImplWin.h"

#include <cstdint>
#include <cstring>
#include <iostream>
#include <vector>

#include "gpu/GPU.h"
#include "gpu/win/VideoControllers.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"

namespace {

const int kAMDVendorID = 0x1002;
const int kNVIDIAVendorID = 0x10DE;

// The drivers of these vendors tell a memory figure, in kilobytes, through
// OpenGL; the adapter record caps or understates what they have.
GLenum VendorMemoryQuery(int vendorID) {
    switch (vendorID) {
        case kAMDVendorID:
            return GL_TEXTURE_FREE_MEMORY_ATI;
        case kNVIDIAVendorID:
            return GL_GPU_MEMORY_INFO_DEDICATED_VIDMEM_NVX;
        default:
            return 0;
    }
}

boost::shared_ptr<GLGPU> MakeGLGPU(const boost::shared_ptr<Quelt::OGL::Context>& context,
                                   const WMIData& record) {
    const boost::shared_ptr<GPUImpl> impl(new GPUImplWin(context, record));
    return boost::shared_ptr<GLGPU>(new GLGPU(impl));
}

// The adapter's description, up to its NUL and never past the field.
std::string DeviceString(const DISPLAY_DEVICEA& device) {
    return std::string(device.DeviceString,
                       strnlen(device.DeviceString, sizeof device.DeviceString));
}

}  // namespace

GPUImplWin::GPUImplWin() : wmi(0, 0, 0, "", "", "", "", "", "") {}

GPUImplWin::GPUImplWin(const boost::shared_ptr<Quelt::OGL::Context>& context, const WMIData& record)
    : wmi(record) {
    SetGLContext(context);
}

GPUImplWin::~GPUImplWin() {}

DisplayContextMap GPUImplWin::OffscreenContextsByDisplayDevice() {
    DisplayContextMap contexts;
    const int count = Quelt::OGL::Context::numDisplayDevice();
    for (int index = 0; index < count; ++index) {
        try {
            DISPLAY_DEVICEA device = {};
            Quelt::OGL::Context::displayDevice(index, device);
            const boost::shared_ptr<Quelt::OGL::Context> context(
                new Quelt::OGL::ContextOffscreen(device));
            DisplayContextEntry& entry = contexts[DeviceString(device)];
            entry.context = context;
            entry.device = device;
        } catch (...) {
            std::cerr << "ContextOffscreen exception caught and ignored." << std::endl;
        }
    }
    return contexts;
}

GLGPUVec GPUImplWin::DoGetGPUs() {
    GLGPUVec result;
    DisplayContextMap contexts;
    try {
        // The adapters are asked for first, so a failing query leaves no context behind.
        const std::vector<WMIData> records = GetVideoControllers();
        contexts = OffscreenContextsByDisplayDevice();
        for (const WMIData& record : records) {
            const DisplayContextMap::const_iterator entry = contexts.find(record.Name);
            if (entry != contexts.end()) result.push_back(MakeGLGPU(entry->second.context, record));
        }
    } catch (...) {
        std::cerr << "DoGetGPUs fails with exception" << std::endl;
    }
    try {
        // Where no adapter name matches (a software renderer, say), the first
        // context still makes one record, with nothing known about its adapter.
        if (result.empty() && !contexts.empty()) {
            result.push_back(MakeGLGPU(contexts.begin()->second.context, WMIData()));
        }
    } catch (...) {
        // Without the fallback record the list stays empty; that is a valid answer.
    }
    return result;
}

int GPUImplWin::DoGetGLMemoryMB() {
    uint64_t bytes = static_cast<uint32_t>(wmi.AdapterRAM);
    const GLenum query = VendorMemoryQuery(GetGLVendorID());
    if (query != 0) {
        try {
            // Room for as many values as any back end's glGetIntegerv may write.
            GLint values[kMaxGLQueryValues] = {};
            GLGetIntegerv(query, values);
            const int64_t reported = static_cast<int64_t>(values[0]) * 1024;
            if (reported > static_cast<int64_t>(bytes)) bytes = static_cast<uint64_t>(reported);
        } catch (...) {
            // The driver's figure only refines; without it the adapter record answers.
        }
    }
    return static_cast<int>(bytes >> 20);
}

int GPUImplWin::DoGetGLVendorID() { return wmi.VendorID; }

std::string GPUImplWin::DoGetGLDriverVersion() { return wmi.DriverVersion; }

int GPUImplWin::DoGetGLRendererID() { return wmi.DeviceID; }

std::string GPUImplWin::DoGetGLDriver() { return wmi.InstalledDisplayDrivers; }

std::string GPUImplWin::DoGetGLDriverDate() { return wmi.DriverDate; }

std::string GPUImplWin::DoGetGLCaption() { return wmi.Caption; }
