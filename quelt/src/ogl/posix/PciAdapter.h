#pragma once

#include <optional>
#include <string>

namespace Quelt {
namespace OGL {

// The PCI adapter behind a DRM device, as the kernel and the PCI ID database
// describe it.
struct PciAdapter {
    unsigned vendorId;
    unsigned deviceId;
    // The adapter the firmware used for the boot console.
    bool bootVga;
    // As Core::pciDeviceName gives it.
    std::string name;
};

// The adapter of a DRM device file such as "/dev/dri/card0", found through
// sysfsRoot/dev/char/MAJOR:MINOR/device; nothing when the file is not a
// character device or its device is not a PCI device.
std::optional<PciAdapter> pciAdapterOfDrmFile(const std::string& drmFile,
                                              const std::string& sysfsRoot = "/sys");

}  // namespace OGL
}  // namespace Quelt
