#include "quelt/quelt_ocl/Device"

#include "quelt/quelt_ocl/Platform"
#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

namespace {

// How messages name a query of the property.
std::string infoQuery(Enum::DeviceProperty property) {
    return "clGetDeviceInfo of property " + std::to_string(property);
}

}  // namespace

Device::Device(cl_device_id id) : deviceId(id) {}

cl_device_id Device::id() const { return deviceId; }

std::string Device::name() const {
    return readInfoBytes(infoQuery(Enum::DeviceName),
                         [this](size_t size, void* value, size_t* sizeReturned) {
                             getInfoImpl(Enum::DeviceName, size, value, sizeReturned);
                         });
}

std::string Device::vendor() const {
    return readInfoBytes(infoQuery(Enum::DeviceVendor),
                         [this](size_t size, void* value, size_t* sizeReturned) {
                             getInfoImpl(Enum::DeviceVendor, size, value, sizeReturned);
                         });
}

Platform Device::platform() const {
    return Platform(getInfo<cl_platform_id>(Enum::DevicePlatform));
}

void Device::getInfoImpl(Enum::DeviceProperty property, size_t size, void* value,
                         size_t* sizeReturned) const {
    if (deviceId == nullptr) throw LogicalException("OpenCL query on a null device");
    checkStatus(loadedEntries().clGetDeviceInfo(deviceId, static_cast<cl_device_info>(property),
                                                size, value, sizeReturned),
                infoQuery(property));
}

}  // namespace OCL
}  // namespace Quelt
