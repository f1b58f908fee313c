#include "quelt/quelt_ogl/Context.h"

#include "quelt/src/ogl/posix/EglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

DISPLAY_DEVICEA emptyDevice() {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    return device;
}

}  // namespace

Context::Context() = default;

Context::~Context() = default;

int Context::numDisplayDevice() {
    const EglPlatform* platform = loadedPlatform();
    return platform != nullptr ? static_cast<int>(platform->devices.size()) : 0;
}

bool Context::displayDevice(int index, DISPLAY_DEVICEA& device) {
    const EglPlatform* platform = loadedPlatform();
    if (platform == nullptr || index < 0 || index >= static_cast<int>(platform->devices.size())) {
        device = emptyDevice();
        return false;
    }
    device = platform->devices[static_cast<size_t>(index)].description;
    return true;
}

DISPLAY_DEVICEA Context::PrimaryDisplayDevice() {
    const EglPlatform* platform = loadedPlatform();
    if (platform == nullptr) return emptyDevice();
    for (const EglDisplayDevice& device : platform->devices) {
        if (device.description.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            return device.description;
    }
    return emptyDevice();
}

}  // namespace OGL
}  // namespace Quelt
