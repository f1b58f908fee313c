#include "quelt/quelt_ogl/Context.h"

#include <cstring>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/LoadedPlatform.h"

namespace Quelt {
namespace OGL {

Context::Context() = default;

Context::~Context() = default;

int Context::numDisplayDevice() {
    const LoadedPlatform* platform = loadedPlatform();
    return platform != nullptr ? static_cast<int>(platform->devices.size()) : 0;
}

bool Context::displayDevice(int index, DISPLAY_DEVICEA& device) {
    const LoadedPlatform* platform = loadedPlatform();
    if (platform == nullptr || index < 0 || index >= static_cast<int>(platform->devices.size())) {
        device = emptyDisplayDevice();
        return false;
    }
    device = platform->devices[static_cast<size_t>(index)];
    return true;
}

// The one marked primary, else the first: a platform need not mark one.
DISPLAY_DEVICEA Context::PrimaryDisplayDevice() {
    const LoadedPlatform* platform = loadedPlatform();
    if (platform == nullptr || platform->devices.empty()) return emptyDisplayDevice();
    for (const DISPLAY_DEVICEA& device : platform->devices) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) return device;
    }
    return platform->devices.front();
}

DISPLAY_DEVICEA emptyDisplayDevice() {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    return device;
}

std::string displayDeviceName(const DISPLAY_DEVICEA& device) {
    return std::string(device.DeviceName, strnlen(device.DeviceName, sizeof device.DeviceName));
}

size_t findDisplayDevice(const LoadedPlatform& platform, const DISPLAY_DEVICEA& wanted) {
    for (size_t index = 0; index < platform.devices.size(); ++index) {
        if (std::strncmp(platform.devices[index].DeviceName, wanted.DeviceName,
                         sizeof wanted.DeviceName) == 0) {
            return index;
        }
    }
    throw LogicalException(
        ("no display device named \"" + displayDeviceName(wanted) + "\"").c_str());
}

}  // namespace OGL
}  // namespace Quelt
