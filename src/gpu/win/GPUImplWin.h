#pragma once

#include <boost/shared_ptr.hpp>
#include <map>
#include <string>

#include "gpu/GPUImplHardware.h"
#include "gpu/win/WMIData.h"
#include "quelt/quelt_ogl/Context.h"
#include "quelt/quelt_ogl/DisplayDevice.h"

// An offscreen context on one display device, with the device it was made for.
struct DisplayContextEntry {
    boost::shared_ptr<Quelt::OGL::Context> context;
    DISPLAY_DEVICEA device;
};

// Offscreen contexts by the description text (DeviceString) of their adapter.
typedef std::map<std::string, DisplayContextEntry> DisplayContextMap;

// The hardware back end that probing uses: the OpenGL answers of
// GPUImplHardware, and what the video-controller query knows about the adapter.
class GPUImplWin : public GPUImplHardware {
public:
    // A back end for enumerating only: every number 0, every text empty.
    GPUImplWin();
    // The back end of one OpenGL GPU record.
    GPUImplWin(const boost::shared_ptr<Quelt::OGL::Context>& context, const WMIData& record);
    ~GPUImplWin() override;

    // One offscreen context per adapter: where several display devices share an
    // adapter, the last one's context is kept. A device that cannot give a
    // context is left out, with a line on standard error.
    static DisplayContextMap OffscreenContextsByDisplayDevice();

protected:
    GLGPUVec DoGetGPUs() override;
    int DoGetGLMemoryMB() override;
    int DoGetGLVendorID() override;
    std::string DoGetGLDriverVersion() override;
    int DoGetGLRendererID() override;
    std::string DoGetGLDriver() override;
    std::string DoGetGLDriverDate() override;
    std::string DoGetGLCaption() override;

private:
    WMIData wmi;
};
