// The Linux stand-in for the Windows video-controller query: one record per PCI
// display controller, in PCI address order, filled from sysfs and named by the
// foundation library's PCI namer, the one the display devices are named by, so
// that records meet the display devices by adapter name as they do on Windows.
#include "gpu/win/posix/VideoControllers.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "failure/FailRequirement.h"
#include "gpu/win/VideoControllers.h"
#include "quelt/quelt_core/posix/PciNames.h"

namespace {

namespace fs = std::filesystem;

const unsigned long long kDisplayControllerClass = 0x03;

// The first line of a sysfs attribute; empty when it cannot be read.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file.string());
    std::string line;
    std::getline(in, line);
    return line;
}

// A numeric attribute, decimal or 0x-prefixed hexadecimal; 0 when unreadable.
unsigned long long ReadNumber(const fs::path& file) {
    return std::strtoull(ReadAttribute(file).c_str(), nullptr, 0);
}

std::string KernelRelease() {
    struct utsname names;
    return uname(&names) == 0 ? names.release : "";
}

// The PCI device folders, by address. A machine without a PCI bus has none.
std::vector<fs::path> PCIDevices(const fs::path& root) {
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        FailRequirement(("Cannot read sysfs at " + root.string()).c_str());
    }
    std::vector<fs::path> devices;
    const fs::path folder = root / "bus" / "pci" / "devices";
    if (!fs::exists(folder, error)) return devices;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        devices.push_back(entry->path());
    }
    if (error) FailRequirement(("Cannot read sysfs at " + folder.string()).c_str());
    // Folder names are domain:bus:device.function in fixed-width hexadecimal,
    // so their byte order is the address order.
    std::sort(devices.begin(), devices.end());
    return devices;
}

WMIData DisplayController(const fs::path& device) {
    const unsigned vendor = static_cast<unsigned>(ReadNumber(device / "vendor"));
    const unsigned deviceID = static_cast<unsigned>(ReadNumber(device / "device"));
    const std::string name = Quelt::Core::pciDeviceName(vendor, deviceID);

    std::string driver;
    std::string driverVersion;
    std::error_code error;
    const fs::path driverFolder = fs::canonical(device / "driver", error);
    if (!error) {
        driver = driverFolder.filename().string();
        driverVersion = ReadAttribute(device / "driver" / "module" / "version");
        if (driverVersion.empty()) driverVersion = KernelRelease();
    }

    // Only amdgpu tells the dedicated memory; capped as the Windows query caps it.
    const unsigned long long vram = ReadNumber(device / "mem_info_vram_total");
    const uint32_t adapterRAM =
        static_cast<uint32_t>(std::min<unsigned long long>(vram, UINT32_MAX));

    return WMIData(static_cast<int>(adapterRAM), static_cast<int>(vendor),
                   static_cast<int>(deviceID), name, name, driver, "", driverVersion, "");
}

}  // namespace

std::vector<WMIData> GetVideoControllers(const std::string& sysfsRoot) {
    std::vector<WMIData> controllers;
    for (const fs::path& device : PCIDevices(sysfsRoot)) {
        if ((ReadNumber(device / "class") >> 16) == kDisplayControllerClass) {
            controllers.push_back(DisplayController(device));
        }
    }
    return controllers;
}

std::vector<WMIData> GetVideoControllers() { return GetVideoControllers("/sys"); }
