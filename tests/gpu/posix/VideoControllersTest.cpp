// The Linux build's two adapter lists, the video-controller query and the
// adapters behind the EGL display devices, over one sysfs tree the test builds;
// and the escaping of wide texts. The lists meet by name, so both must name an
// adapter alike, with libpci or without: CTest runs these tests once more with
// an unloadable libpci first on the library path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "FailureText.h"
#include "TempFolder.h"
#include "gpu/win/VideoControllers.h"
#include "gpu/win/posix/VideoControllers.h"
#include "quelt/quelt_core/posix/PciNames.h"
#include "quelt/src/ogl/posix/PciAdapter.h"

namespace fs = std::filesystem;

namespace {

// The display devices' adapters are found from a DRM node's device numbers;
// /dev/null stands in for the node, since any character device leads into the
// tree.
const char* const kDrmNode = "/dev/null";

std::string Hex(unsigned id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

// An attribute file and the folders above it; an empty value leaves it out.
void Write(const fs::path& file, const std::string& value) {
    fs::create_directories(file.parent_path());
    if (!value.empty()) std::ofstream(file) << value << "\n";
}

void Link(const fs::path& target, const fs::path& link) {
    fs::create_directories(link.parent_path());
    fs::create_directory_symlink(target, link);
}

// A sysfs tree laid out as the kernel lays it out: device folders under
// devices/, with their bus as the subsystem link, PCI ones reached through links
// in bus/pci/devices, with driver and module links, and the DRM node's entry in
// dev/char.
class SysfsTree {
public:
    SysfsTree() { fs::create_directories(root / "bus" / "pci" / "devices"); }

    // A device folder under devices/ on a bus, bound to a driver of the module
    // where one is named; an empty version leaves the module without a version
    // file.
    fs::path AddDevice(const std::string& path, const std::string& bus, unsigned vendor,
                       unsigned device, const std::string& driver = "",
                       const std::string& version = "") {
        const fs::path folder = root / "devices" / path;
        Write(folder / "vendor", "0x" + Hex(vendor));
        Write(folder / "device", "0x" + Hex(device));
        Link(root / "bus" / bus, folder / "subsystem");
        if (bus == "pci") Link(folder, root / "bus" / "pci" / "devices" / folder.filename());
        if (driver.empty()) return folder;
        const fs::path driverFolder = root / "bus" / "pci" / "drivers" / driver;
        Write(root / "module" / driver / "version", version);
        Link(root / "module" / driver, driverFolder / "module");
        Link(driverFolder, folder / "driver");
        return folder;
    }

    // Makes the device the one the DRM node belongs to.
    void PointDrmNodeAt(const fs::path& device) {
        struct stat status {};
        ASSERT_EQ(0, stat(kDrmNode, &status));
        const fs::path card = device / "drm" / "card0";
        const fs::path entry =
            root / "dev" / "char" /
            (std::to_string(major(status.st_rdev)) + ":" + std::to_string(minor(status.st_rdev)));
        fs::remove(entry);
        Link(device, card / "device");
        Link(card, entry);
    }

    TempFolder folder;
    fs::path root{folder.Path()};
};

// The name both lists must give: libpci's, from the PCI ID database where
// Debian's libpci reads it (the vendor's name and the device's, or "Device" and
// the id for a device it lacks, cut as libpci cuts a long name), or without
// libpci its form for an unknown id.
std::string ExpectedName(unsigned vendor, unsigned device) {
    if (std::getenv("TROVEX_TEST_FALLBACK_NAMES") != nullptr)
        return "Device " + Hex(vendor) + ":" + Hex(device);
    std::string vendorName, deviceName = "Device " + Hex(device);
    std::ifstream database("/usr/share/misc/pci.ids");
    for (std::string line; std::getline(database, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] != '\t' && !vendorName.empty()) break;
        if (line.compare(0, 6, Hex(vendor) + "  ") == 0) vendorName = line.substr(6);
        if (!vendorName.empty() && line.compare(0, 7, "\t" + Hex(device) + "  ") == 0)
            deviceName = line.substr(7);
    }
    const std::string name = vendorName + " " + deviceName;
    const size_t longest = Quelt::Core::maxPciNameLength;
    return name.size() <= longest ? name : name.substr(0, longest - 3) + "...";
}

// One PCI device of the tree, in no particular order. Display controllers
// (class 0x03) get a record, in address order, and their DRM node an adapter.
// Empty texts leave an attribute out.
struct Adapter {
    const char* address;
    const char* pciClass;
    unsigned vendor;
    unsigned device;
    const char* bootVga;
    const char* driver;
    const char* moduleVersion;
    const char* vram;
    // The DRM node sits on a virtio device below the PCI device.
    bool virtio;
    uint32_t adapterRAM;
};

// A device the database lacks (1af4:9999), and one whose name is longer than a
// display device's DeviceString holds (15b3:6732).
const Adapter kAdapters[] = {
    {"0000:03:00.0", "0x030000", 0x1002, 0x73bf, "0", "amdgpu", "", "17163091968", false,
     0xFFFFFFFF},
    {"0000:00:1f.6", "0x020000", 0x8086, 0x15bb, "", "e1000e", "3.2.6-k", "", false, 0},
    {"0000:01:00.0", "0x030200", 0x10de, 0x2330, "1", "nvidia", "535.104.05", "", false, 0},
    {"0000:04:00.0", "0x038000", 0x1af4, 0x9999, "", "", "", "3221225472", false, 3221225472u},
    {"0000:00:03.0", "0x030000", 0x1af4, 0x1050, "", "", "", "", true, 0},
    {"0000:05:00.0", "0x030000", 0x15b3, 0x6732, "", "", "", "", false, 0},
};

std::string Path(const Adapter& adapter) { return std::string("pci0000:00/") + adapter.address; }

TEST(AdapterNamesTest, BothListsNameEveryDisplayAdapterAlikeAndTheQueryFillsItsRecords) {
    SysfsTree sysfs;
    std::map<std::string, const Adapter*> displays;  // by address
    for (const Adapter& adapter : kAdapters) {
        const fs::path device =
            sysfs.AddDevice(Path(adapter), "pci", adapter.vendor, adapter.device, adapter.driver,
                            adapter.moduleVersion);
        Write(device / "class", adapter.pciClass);
        Write(device / "boot_vga", adapter.bootVga);
        Write(device / "mem_info_vram_total", adapter.vram);
        if (std::string(adapter.pciClass).compare(0, 4, "0x03") == 0)
            displays[adapter.address] = &adapter;
    }
    struct utsname names;
    uname(&names);

    const std::vector<WMIData> records = GetVideoControllers(sysfs.root.string());
    ASSERT_EQ(displays.size(), records.size());
    auto display = displays.begin();
    for (const WMIData& wmi : records) {
        const Adapter& adapter = *(display++)->second;
        SCOPED_TRACE(adapter.address);
        const std::string name = ExpectedName(adapter.vendor, adapter.device);
        EXPECT_EQ(name, wmi.Name);
        EXPECT_EQ(name, wmi.Caption);
        EXPECT_EQ(static_cast<int>(adapter.vendor), wmi.VendorID);
        EXPECT_EQ(static_cast<int>(adapter.device), wmi.DeviceID);
        EXPECT_EQ(adapter.driver, wmi.InstalledDisplayDrivers);
        const std::string version = !*adapter.driver         ? ""
                                    : *adapter.moduleVersion ? adapter.moduleVersion
                                                             : names.release;
        EXPECT_EQ(version, wmi.DriverVersion);
        EXPECT_EQ("", wmi.DriverDate);
        EXPECT_EQ(adapter.adapterRAM, static_cast<uint32_t>(wmi.AdapterRAM));

        // The virtio device's own ids are not the adapter's.
        sysfs.PointDrmNodeAt(
            adapter.virtio ? sysfs.AddDevice(Path(adapter) + "/virtio0", "virtio", 0x1af4, 0x10)
                           : sysfs.root / "devices" / Path(adapter));
        const auto drm = Quelt::OGL::pciAdapterOfDrmFile(kDrmNode, sysfs.root.string());
        ASSERT_TRUE(drm.has_value());
        EXPECT_EQ(wmi.Name, drm->name);
        EXPECT_EQ(adapter.vendor, drm->vendorId);
        EXPECT_EQ(adapter.device, drm->deviceId);
        EXPECT_EQ(std::string(adapter.bootVga) == "1", drm->bootVga);
    }
}

TEST(AdapterNamesTest, NoAdapterWithoutAPciDisplayDevice) {
    SysfsTree sysfs;
    EXPECT_TRUE(GetVideoControllers(sysfs.root.string()).empty());
    EXPECT_EQ("Cannot read sysfs at /nonexistent/sysfs",
              FailureText([] { GetVideoControllers("/nonexistent/sysfs"); }));

    // A DRM node on a device of no PCI bus, a file that is no character
    // device, and none at all.
    sysfs.PointDrmNodeAt(sysfs.AddDevice("platform/gpu", "platform", 0x1234, 0x1111));
    const std::string root = sysfs.root.string();
    EXPECT_FALSE(Quelt::OGL::pciAdapterOfDrmFile(kDrmNode, root).has_value());
    EXPECT_FALSE(Quelt::OGL::pciAdapterOfDrmFile(root + "/bus", root).has_value());
    EXPECT_FALSE(Quelt::OGL::pciAdapterOfDrmFile("/dev/dri/no-such-card", root).has_value());

    // No PCI bus at all.
    fs::remove_all(sysfs.root / "bus");
    EXPECT_TRUE(GetVideoControllers(root).empty());
}

// The Windows query escapes what WMI answers; the printable range's ends here,
// the rest in the Windows tests.
TEST(EscapeWideTextTest, PrintableASCIIStaysAndEverythingElseIsEscaped) {
    EXPECT_EQ(" ~\\x001f\\x007f\\x0000", EscapeWideText(std::u16string(u" ~\x1f\x7f\0", 5)));
}

}  // namespace
