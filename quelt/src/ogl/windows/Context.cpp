#include "quelt/quelt_ogl/Context.h"

#include "quelt/src/ogl/windows/DisplayDevices.h"
#include "quelt/src/ogl/windows/WglPlatform.h"

namespace Quelt {
namespace OGL {

Context::Context() = default;

Context::~Context() = default;

int Context::numDisplayDevice() {
    const WglPlatform* platform = loadedPlatform();
    return platform != nullptr ? static_cast<int>(platform->devices.size()) : 0;
}

bool Context::displayDevice(int index, DISPLAY_DEVICEA& device) {
    const WglPlatform* platform = loadedPlatform();
    if (platform == nullptr || index < 0 || index >= static_cast<int>(platform->devices.size())) {
        device = emptyDisplayDevice();
        return false;
    }
    device = platform->devices[static_cast<size_t>(index)];
    return true;
}

DISPLAY_DEVICEA Context::PrimaryDisplayDevice() {
    const WglPlatform* platform = loadedPlatform();
    if (platform == nullptr || platform->devices.empty()) return emptyDisplayDevice();
    for (const DISPLAY_DEVICEA& device : platform->devices) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) return device;
    }
    return platform->devices.front();
}

}  // namespace OGL
}  // namespace Quelt
