#pragma once

#include <cstddef>
#include <string>

namespace Quelt {
namespace Core {

// The longest name pciDeviceName gives. A display device's DeviceString holds
// 127 bytes and a NUL, and the adapter lists meet the display devices by the
// whole name, so every list must hold the same, whole text.
constexpr std::size_t maxPciNameLength = 127;

// A PCI device's name as libpci's pci_lookup_name gives it with
// PCI_LOOKUP_VENDOR | PCI_LOOKUP_DEVICE, for example
// "NVIDIA Corporation GH100[H100 SXM5 80GB]"; a longer name is cut to
// maxPciNameLength and ends in "...", as libpci cuts it. Where libpci cannot be
// loaded or fails, every device gets libpci's own form for an unknown id, such
// as "Device 10de:2330". libpci.so.3 is opened on the first call and kept.
// Linux only.
std::string pciDeviceName(unsigned vendorId, unsigned deviceId);

}  // namespace Core
}  // namespace Quelt
