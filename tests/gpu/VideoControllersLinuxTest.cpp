// The Linux stand-in for the video-controller query, over a sysfs tree the test
// builds, and the escaping of wide texts.
#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <boost/filesystem.hpp>
#include <fstream>

#include "ExpectFailRequirement.h"
#include "gpu/win/VideoControllers.h"
#include "gpu/win/VideoControllersLinux.h"

namespace fs = boost::filesystem;

namespace {

// A sysfs tree laid out as the kernel lays it out: device folders under
// devices/, reached through links in bus/pci/devices, with driver and module links.
class SysfsTree {
public:
    SysfsTree() : root(fs::temp_directory_path() / fs::unique_path("sysfs-%%%%-%%%%")) {
        fs::create_directories(root / "bus" / "pci" / "devices");
    }
    ~SysfsTree() { fs::remove_all(root); }

    void AddDevice(const std::string& address, const std::string& pciClass,
                   const std::string& vendor, const std::string& device) {
        const fs::path folder = root / "devices" / "pci0000:00" / address;
        fs::create_directories(folder);
        Write(folder / "class", pciClass);
        Write(folder / "vendor", vendor);
        Write(folder / "device", device);
        fs::create_directory_symlink("../../../devices/pci0000:00/" + address,
                                     root / "bus" / "pci" / "devices" / address);
    }

    // Binds the device to a driver of the module; an empty version leaves the
    // module without a version file.
    void Bind(const std::string& address, const std::string& driver, const std::string& module,
              const std::string& version) {
        const fs::path driverFolder = root / "bus" / "pci" / "drivers" / driver;
        const fs::path moduleFolder = root / "module" / module;
        fs::create_directories(driverFolder);
        fs::create_directories(moduleFolder);
        if (!version.empty()) Write(moduleFolder / "version", version);
        if (!fs::exists(driverFolder / "module")) {
            fs::create_directory_symlink("../../../../module/" + module, driverFolder / "module");
        }
        fs::create_directory_symlink("../../../bus/pci/drivers/" + driver,
                                     root / "devices" / "pci0000:00" / address / "driver");
    }

    void SetAttribute(const std::string& address, const std::string& name,
                      const std::string& value) {
        Write(root / "devices" / "pci0000:00" / address / name, value);
    }

    std::string Root() const { return root.string(); }

private:
    static void Write(const fs::path& file, const std::string& value) {
        std::ofstream(file.string()) << value << "\n";
    }

    fs::path root;
};

std::string KernelRelease() {
    struct utsname names;
    uname(&names);
    return names.release;
}

TEST(VideoControllersLinuxTest, OneRecordPerDisplayControllerInAddressOrder) {
    SysfsTree sysfs;
    sysfs.AddDevice("0000:03:00.0", "0x030000", "0x1002", "0x73bf");
    sysfs.Bind("0000:03:00.0", "amdgpu", "amdgpu", "");
    sysfs.SetAttribute("0000:03:00.0", "mem_info_vram_total", "17163091968");
    sysfs.AddDevice("0000:00:1f.6", "0x020000", "0x8086", "0x15bb");
    sysfs.Bind("0000:00:1f.6", "e1000e", "e1000e", "3.2.6-k");
    sysfs.AddDevice("0000:01:00.0", "0x030200", "0x10de", "0x2330");
    sysfs.Bind("0000:01:00.0", "nvidia", "nvidia", "535.104.05");
    sysfs.AddDevice("0000:04:00.0", "0x038000", "0x1af4", "0x9999");
    sysfs.SetAttribute("0000:04:00.0", "mem_info_vram_total", "3221225472");

    const std::vector<WMIData> records = GetVideoControllers(sysfs.Root());
    ASSERT_EQ(3u, records.size());

    EXPECT_EQ("NVIDIA Corporation GH100[H100 SXM5 80GB]", records[0].Name);
    EXPECT_EQ(records[0].Name, records[0].Caption);
    EXPECT_EQ(0x10DE, records[0].VendorID);
    EXPECT_EQ(0x2330, records[0].DeviceID);
    EXPECT_EQ("nvidia", records[0].InstalledDisplayDrivers);
    EXPECT_EQ("535.104.05", records[0].DriverVersion);
    EXPECT_EQ("", records[0].DriverDate);
    EXPECT_EQ(0, records[0].AdapterRAM);

    EXPECT_EQ(0x1002, records[1].VendorID);
    EXPECT_EQ("amdgpu", records[1].InstalledDisplayDrivers);
    EXPECT_EQ(KernelRelease(), records[1].DriverVersion);
    EXPECT_EQ(0xFFFFFFFFu, static_cast<uint32_t>(records[1].AdapterRAM));

    EXPECT_EQ("Red Hat, Inc. Device 9999", records[2].Name);
    EXPECT_EQ("", records[2].InstalledDisplayDrivers);
    EXPECT_EQ("", records[2].DriverVersion);
    EXPECT_EQ(3221225472u, static_cast<uint32_t>(records[2].AdapterRAM));
}

TEST(VideoControllersLinuxTest, AMachineWithoutPCIDisplayControllersHasNoRecords) {
    SysfsTree sysfs;
    EXPECT_TRUE(GetVideoControllers(sysfs.Root()).empty());
    fs::remove_all(fs::path(sysfs.Root()) / "bus");
    EXPECT_TRUE(GetVideoControllers(sysfs.Root()).empty());
}

TEST(VideoControllersLinuxTest, AnUnreadableSysfsFailsTheQuery) {
    ExpectFailRequirement("Cannot read sysfs at /nonexistent/sysfs",
                          [] { GetVideoControllers("/nonexistent/sysfs"); });
}

TEST(EscapeWideTextTest, PrintableASCIIStaysAndEverythingElseIsEscaped) {
    EXPECT_EQ("NVIDIA GeForce GTX 470", EscapeWideText(u"NVIDIA GeForce GTX 470"));
    EXPECT_EQ("\\\\.\\DISPLAY1", EscapeWideText(u"\\\\.\\DISPLAY1"));
    EXPECT_EQ(" ~\\x001f\\x007f", EscapeWideText(u" ~\x1f\x7f"));
    EXPECT_EQ("ATI Radeon\\x00ae \\x00e9\\xd83d\\xde00",
              EscapeWideText(u"ATI Radeon\u00ae \u00e9\U0001F600"));
    EXPECT_EQ("C:\\x0000", EscapeWideText(std::u16string(u"C:\0", 3)));
    EXPECT_EQ("", EscapeWideText(u""));
}

}  // namespace
