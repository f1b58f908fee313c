#include "quelt/src/ogl/windows/DisplayDevices.h"

#include <string>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace OGL {

std::vector<DISPLAY_DEVICEA> enumerateDisplayDevices(decltype(&::EnumDisplayDevicesA) enumerate) {
    std::vector<DISPLAY_DEVICEA> devices;
    DISPLAY_DEVICEA device = emptyDisplayDevice();
    for (DWORD index = 0; enumerate(nullptr, index, &device, 0); ++index) {
        if (index == maxDisplayDevices) {
            throw LogicalException(("EnumDisplayDevicesA answered more than " +
                                    std::to_string(maxDisplayDevices) + " devices")
                                       .c_str());
        }
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
