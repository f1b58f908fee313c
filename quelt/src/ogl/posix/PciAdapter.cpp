#include "quelt/src/ogl/posix/PciAdapter.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>

#include "quelt/quelt_core/posix/PciNames.h"

namespace Quelt {
namespace OGL {

namespace {

// A hexadecimal sysfs attribute such as "0x10de"; nothing when it cannot be read.
std::optional<unsigned> readHexAttribute(const std::filesystem::path& path) {
    std::ifstream file(path);
    unsigned value = 0;
    if (!(file >> std::hex >> value)) return std::nullopt;
    return value;
}

bool isPciDevice(const std::filesystem::path& device) {
    std::error_code error;
    return std::filesystem::read_symlink(device / "subsystem", error).filename() == "pci";
}

}  // namespace

std::optional<PciAdapter> pciAdapterOfDrmFile(const std::string& drmFile,
                                              const std::string& sysfsRoot) {
    struct stat status {};
    if (stat(drmFile.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) return std::nullopt;
    std::error_code error;
    std::filesystem::path device = std::filesystem::canonical(
        sysfsRoot + "/dev/char/" + std::to_string(major(status.st_rdev)) + ":" +
            std::to_string(minor(status.st_rdev)) + "/device",
        error);
    if (error) return std::nullopt;
    // A DRM device may sit on a bus of its own (virtio) below the PCI device
    // that carries it.
    while (!isPciDevice(device)) {
        if (!device.has_relative_path()) return std::nullopt;
        device = device.parent_path();
    }
    const std::optional<unsigned> vendorId = readHexAttribute(device / "vendor");
    const std::optional<unsigned> deviceId = readHexAttribute(device / "device");
    if (!vendorId || !deviceId) return std::nullopt;
    const std::optional<unsigned> bootVga = readHexAttribute(device / "boot_vga");
    return PciAdapter{*vendorId, *deviceId, bootVga.value_or(0) == 1,
                      Core::pciDeviceName(*vendorId, *deviceId)};
}

}  // namespace OGL
}  // namespace Quelt
