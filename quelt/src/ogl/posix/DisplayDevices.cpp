#include "quelt/src/ogl/posix/DisplayDevices.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "quelt/quelt_core/posix/PciNames.h"
#include "quelt/src/core/DriverAnswer.h"
#include "quelt/src/core/Words.h"
#include "quelt/src/ogl/posix/PciAdapter.h"

namespace Quelt {
namespace OGL {

namespace {

// A machine has a handful of devices; a count far above that is a broken answer.
const EGLint maxDevices = 1024;

// An adapter's name fits whole, so that it meets the adapter lists by name.
static_assert(sizeof DISPLAY_DEVICEA::DeviceString == Core::maxPciNameLength + 1,
              "an adapter name must fit DeviceString");

template <size_t size>
void copyText(char (&target)[size], const std::string& text) {
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

// The name of a device without a PCI adapter behind it.
std::string ownName(const std::set<std::string>& extensions, size_t index) {
    if (extensions.count("EGL_MESA_device_software") != 0) return "Mesa software renderer";
    return "EGL device " + std::to_string(index);
}

}  // namespace

std::vector<EglDisplayDevice> enumerateDisplayDevices(const EglEntryPoints& egl) {
    EGLint count = 0;
    if (egl.queryDevices(0, nullptr, &count) != EGL_TRUE) return {};
    Core::boundedAnswer("eglQueryDevicesEXT", count, maxDevices);
    if (count == 0) return {};
    std::vector<EGLDeviceEXT> handles(static_cast<size_t>(count));
    if (egl.queryDevices(count, handles.data(), &count) != EGL_TRUE) return {};
    handles.resize(std::min(handles.size(), static_cast<size_t>(std::max(count, 0))));

    std::vector<EglDisplayDevice> devices;
    std::optional<size_t> bootVga;
    for (size_t index = 0; index < handles.size(); ++index) {
        const auto extensions =
            Core::splitWords("eglQueryDeviceStringEXT(EGL_EXTENSIONS)",
                             egl.queryDeviceString(handles[index], EGL_EXTENSIONS));
        const char* drmFile = extensions.count("EGL_EXT_device_drm") != 0
                                  ? egl.queryDeviceString(handles[index], EGL_DRM_DEVICE_FILE_EXT)
                                  : nullptr;
        const std::optional<PciAdapter> adapter =
            drmFile != nullptr ? pciAdapterOfDrmFile(Core::boundedText(
                                     "eglQueryDeviceStringEXT(EGL_DRM_DEVICE_FILE_EXT)", drmFile,
                                     Core::maxTextBytes))
                               : std::nullopt;

        EglDisplayDevice device{handles[index], {}};
        device.description.cb = sizeof device.description;
        copyText(device.description.DeviceName, "EGLDevice" + std::to_string(index));
        copyText(device.description.DeviceString,
                 adapter ? adapter->name : ownName(extensions, index));
        if (adapter && adapter->bootVga && !bootVga) bootVga = index;
        devices.push_back(device);
    }
    if (!devices.empty()) {
        devices[bootVga.value_or(0)].description.StateFlags |= DISPLAY_DEVICE_PRIMARY_DEVICE;
    }
    return devices;
}

}  // namespace OGL
}  // namespace Quelt
