// Naming the adapter behind a DRM node, against sysfs trees laid out as the
// kernel lays them out. /dev/null stands in for the DRM node: all that matters
// is that it is a character device, whose numbers lead into the tree.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>

#include "quelt/src/ogl/egl/PciAdapter.h"

namespace {

namespace fs = std::filesystem;
using Quelt::OGL::pciAdapterOfDrmFile;

const char* const drmNode = "/dev/null";

class PciAdapterTest : public testing::Test {
protected:
    void SetUp() override {
        root = fs::path(testing::TempDir()) /
               ("quelt-sysfs-" + std::to_string(static_cast<long>(getpid())));
        fs::remove_all(root);
        fs::create_directories(root / "bus/pci");
        fs::create_directories(root / "bus/virtio");
        fs::create_directories(root / "bus/platform");
        fs::create_directories(root / "dev/char");
    }

    void TearDown() override { fs::remove_all(root); }

    // A device folder on a bus, with the attributes given as name/value pairs.
    fs::path addDevice(const fs::path& path, const char* bus,
                       std::initializer_list<std::pair<const char*, const char*>> attributes) {
        const fs::path device = root / path;
        fs::create_directories(device);
        fs::create_directory_symlink(root / "bus" / bus, device / "subsystem");
        for (const auto& attribute : attributes) {
            std::ofstream(device / attribute.first) << attribute.second << "\n";
        }
        return device;
    }

    // The DRM node's entry under dev/char, leading to the card and its device.
    void addDrmCard(const fs::path& device) {
        struct stat status {};
        ASSERT_EQ(0, stat(drmNode, &status));
        const fs::path card = device / "drm/card0";
        fs::create_directories(card);
        fs::create_directory_symlink(device, card / "device");
        fs::create_directory_symlink(card, root / "dev/char" /
                                               (std::to_string(major(status.st_rdev)) + ":" +
                                                std::to_string(minor(status.st_rdev))));
    }

    fs::path root;
};

TEST_F(PciAdapterTest, APciCardIsNamedAsThePciIdDatabaseNamesIt) {
    addDrmCard(addDevice("devices/pci0000:00/0000:00:02.0", "pci",
                         {{"vendor", "0x10de"}, {"device", "0x2330"}, {"boot_vga", "1"}}));
    const auto adapter = pciAdapterOfDrmFile(drmNode, root.string());
    ASSERT_TRUE(adapter.has_value());
    EXPECT_EQ(0x10DEu, adapter->vendorId);
    EXPECT_EQ(0x2330u, adapter->deviceId);
    EXPECT_TRUE(adapter->bootVga);
    EXPECT_EQ("NVIDIA Corporation GH100[H100 SXM5 80GB]", adapter->name);
}

TEST_F(PciAdapterTest, ACardOnAnotherBusIsNamedAfterThePciDeviceCarryingIt) {
    addDevice("devices/pci0000:00/0000:00:03.0", "pci",
              {{"vendor", "0x1af4"}, {"device", "0x1050"}});
    addDrmCard(addDevice("devices/pci0000:00/0000:00:03.0/virtio0", "virtio",
                         {{"vendor", "0x1af4"}, {"device", "0x0010"}}));
    const auto adapter = pciAdapterOfDrmFile(drmNode, root.string());
    ASSERT_TRUE(adapter.has_value());
    EXPECT_EQ(0x1050u, adapter->deviceId);
    EXPECT_FALSE(adapter->bootVga);
    EXPECT_EQ("Red Hat, Inc. Virtio 1.0 GPU", adapter->name);
}

TEST_F(PciAdapterTest, NoAdapterWithoutAPciDeviceOrACharacterDevice) {
    addDrmCard(addDevice("devices/platform/gpu", "platform", {{"vendor", "0x1234"}}));
    EXPECT_FALSE(pciAdapterOfDrmFile(drmNode, root.string()).has_value());
    EXPECT_FALSE(pciAdapterOfDrmFile(root / "bus", root.string()).has_value());
    EXPECT_FALSE(pciAdapterOfDrmFile("/dev/dri/no-such-card", root.string()).has_value());
}

}  // namespace
