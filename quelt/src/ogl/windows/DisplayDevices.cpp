#include "quelt/src/ogl/windows/DisplayDevices.h"

namespace Quelt {
namespace OGL {

std::vector<DISPLAY_DEVICEA> enumerateDisplayDevices() {
    std::vector<DISPLAY_DEVICEA> devices;
    DISPLAY_DEVICEA device = emptyDisplayDevice();
    for (DWORD index = 0; EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
        if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0 &&
            (device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) == 0) {
            devices.push_back(device);
        }
        device = emptyDisplayDevice();
    }
    return devices;
}

}  // namespace OGL
}  // namespace Quelt
