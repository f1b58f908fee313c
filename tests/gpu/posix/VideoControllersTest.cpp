// The Linux build's two adapter lists, the video-controller query and the
// adapters behind the EGL display devices, over one sysfs tree the test builds;
// and the escaping of wide texts. The lists meet by name, so both must name an
// adapter alike, with libpci or without: CTest runs these tests once more with
// an unloadable libpci first on the library path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// A sysfs tree laid out as the kernel lays it out: device folders under
// devices/, with their bus as the subsystem link, reached through links in
// bus/pci/devices, with driver and module links, and the DRM node's entry in
// dev/char.
class SysfsTree {
public:
    SysfsTree() : root(folder.Path()) {
        fs::create_directories(root / "bus" / "pci" / "devices");
        fs::create_directories(root / "bus" / "virtio");
        fs::create_directories(root / "bus" / "platform");
        fs::create_directories(root / "dev" / "char");
    }

    // A device folder under devices/ on a bus; a PCI device is also listed on
    // its bus.
    fs::path AddDevice(const std::string& path, const std::string& bus) {
        const fs::path device = root / "devices" / path;
        fs::create_directories(device);
        fs::create_directory_symlink(root / "bus" / bus, device / "subsystem");
        if (bus == "pci") {
            fs::create_directory_symlink(device,
                                         root / "bus" / "pci" / "devices" / device.filename());
        }
        return device;
    }

    // Binds the device to a driver of the module; an empty version leaves the
    // module without a version file.
    void Bind(const fs::path& device, const std::string& driver, const std::string& version) {
        const fs::path driverFolder = root / "bus" / "pci" / "drivers" / driver;
        const fs::path moduleFolder = root / "module" / driver;
        fs::create_directories(driverFolder);
        fs::create_directories(moduleFolder);
        if (!version.empty()) Write(moduleFolder / "version", version);
        fs::create_directory_symlink(moduleFolder, driverFolder / "module");
        fs::create_directory_symlink(driverFolder, device / "driver");
    }

    // Makes the device the one the DRM node belongs to.
    void PointDrmNodeAt(const fs::path& device) {
        struct stat status {};
        ASSERT_EQ(0, stat(kDrmNode, &status));
        const fs::path card = device / "drm" / "card0";
        fs::create_directories(card);
        if (!fs::is_symlink(card / "device")) fs::create_directory_symlink(device, card / "device");
        const fs::path entry =
            root / "dev" / "char" /
            (std::to_string(major(status.st_rdev)) + ":" + std::to_string(minor(status.st_rdev)));
        fs::remove(entry);
        fs::create_directory_symlink(card, entry);
    }

    static void Write(const fs::path& file, const std::string& value) {
        std::ofstream(file) << value << "\n";
    }

    TempFolder folder;
    fs::path root;
};

std::string KernelRelease() {
    struct utsname names;
    uname(&names);
    return names.release;
}

// The name both lists must give: libpci's, from the PCI ID database where
// Debian's libpci reads it (the vendor's name and the device's, or "Device" and
// the id for a device it lacks, cut as libpci cuts a long name), or without
// libpci its form for an unknown id.
std::string ExpectedName(unsigned vendor, unsigned device) {
    char vendorId[16], deviceId[16];
    std::snprintf(vendorId, sizeof vendorId, "%04x", vendor);
    std::snprintf(deviceId, sizeof deviceId, "%04x", device);
    if (std::getenv("TROVEX_TEST_FALLBACK_NAMES") != nullptr)
        return std::string("Device ") + vendorId + ":" + deviceId;
    std::string vendorName, deviceName = std::string("Device ") + deviceId;
    std::ifstream database("/usr/share/misc/pci.ids");
    for (std::string line; std::getline(database, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] != '\t' && !vendorName.empty()) break;
        if (line.compare(0, 6, vendorId + std::string("  ")) == 0) vendorName = line.substr(6);
        if (!vendorName.empty() && line.compare(0, 7, "\t" + std::string(deviceId) + "  ") == 0)
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

std::string Hex(unsigned id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", id);
    return text;
}

TEST(AdapterNamesTest, BothListsNameEveryDisplayAdapterAlikeAndTheQueryFillsItsRecords) {
    SysfsTree sysfs;
    std::vector<const Adapter*> displays;
    for (const Adapter& adapter : kAdapters) {
        const fs::path device = sysfs.AddDevice(Path(adapter), "pci");
        SysfsTree::Write(device / "class", adapter.pciClass);
        SysfsTree::Write(device / "vendor", Hex(adapter.vendor));
        SysfsTree::Write(device / "device", Hex(adapter.device));
        if (*adapter.bootVga) SysfsTree::Write(device / "boot_vga", adapter.bootVga);
        if (*adapter.vram) SysfsTree::Write(device / "mem_info_vram_total", adapter.vram);
        if (*adapter.driver) sysfs.Bind(device, adapter.driver, adapter.moduleVersion);
        if (std::string(adapter.pciClass).compare(0, 4, "0x03") == 0) displays.push_back(&adapter);
    }
    std::sort(displays.begin(), displays.end(), [](const Adapter* a, const Adapter* b) {
        return std::string(a->address) < b->address;
    });

    const std::vector<WMIData> records = GetVideoControllers(sysfs.root.string());
    ASSERT_EQ(displays.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const Adapter& adapter = *displays[i];
        const WMIData& wmi = records[i];
        SCOPED_TRACE(adapter.address);
        const std::string name = ExpectedName(adapter.vendor, adapter.device);
        EXPECT_EQ(name, wmi.Name);
        EXPECT_EQ(name, wmi.Caption);
        EXPECT_EQ(static_cast<int>(adapter.vendor), wmi.VendorID);
        EXPECT_EQ(static_cast<int>(adapter.device), wmi.DeviceID);
        EXPECT_EQ(adapter.driver, wmi.InstalledDisplayDrivers);
        const std::string version = !*adapter.driver         ? ""
                                    : *adapter.moduleVersion ? adapter.moduleVersion
                                                             : KernelRelease();
        EXPECT_EQ(version, wmi.DriverVersion);
        EXPECT_EQ("", wmi.DriverDate);
        EXPECT_EQ(adapter.adapterRAM, static_cast<uint32_t>(wmi.AdapterRAM));

        fs::path drmDevice = sysfs.root / "devices" / Path(adapter);
        if (adapter.virtio) {
            // The virtio device's own ids are not the adapter's.
            drmDevice = sysfs.AddDevice(Path(adapter) + "/virtio0", "virtio");
            SysfsTree::Write(drmDevice / "vendor", "0x1af4");
            SysfsTree::Write(drmDevice / "device", "0x0010");
        }
        sysfs.PointDrmNodeAt(drmDevice);
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
    const fs::path device = sysfs.AddDevice("platform/gpu", "platform");
    SysfsTree::Write(device / "vendor", "0x1234");
    SysfsTree::Write(device / "device", "0x1111");
    sysfs.PointDrmNodeAt(device);
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
