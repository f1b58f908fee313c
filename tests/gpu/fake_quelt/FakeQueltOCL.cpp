#include <cstring>
#include <deque>
#include <typeinfo>

#include "FakeQuelt.h"
#include "quelt/quelt_ocl/CommandQueue"
#include "quelt/quelt_ocl/Library"

namespace {

struct FakePlatform {
    std::string version;
    std::vector<cl_device_id> gpus;
};

struct FakeDevice {
    FakeQuelt::CLDevice info;
    cl_platform_id platform;
};

std::deque<FakePlatform>& Platforms() {
    static std::deque<FakePlatform> platforms;
    return platforms;
}

std::deque<FakeDevice>& Devices() {
    static std::deque<FakeDevice> devices;
    return devices;
}

const FakePlatform& PlatformOf(cl_platform_id id) {
    if (id == nullptr) throw Quelt::LogicalException("null platform");
    return *reinterpret_cast<const FakePlatform*>(id);
}

const FakeDevice& DeviceOf(cl_device_id id) {
    if (id == nullptr) throw Quelt::LogicalException("null device");
    return *reinterpret_cast<const FakeDevice*>(id);
}

// Handles of contexts and queues: distinct addresses the fake never releases.
char contextHandle;
char queueHandle;

struct NoRelease {
    template <typename T>
    void operator()(T*) const {}
};

template <typename Value>
void Write(const Value& value, size_t size, void* destination) {
    if (size != sizeof value) throw Quelt::LogicalException("CL_INVALID_VALUE");
    std::memcpy(destination, &value, sizeof value);
}

}  // namespace

namespace FakeQuelt {

cl_platform_id AddPlatform(const std::string& version) {
    Platforms().push_back(FakePlatform{version, {}});
    return reinterpret_cast<cl_platform_id>(&Platforms().back());
}

cl_device_id AddGPU(cl_platform_id platform, const CLDevice& device) {
    Devices().push_back(FakeDevice{device, platform});
    const cl_device_id id = reinterpret_cast<cl_device_id>(&Devices().back());
    reinterpret_cast<FakePlatform*>(platform)->gpus.push_back(id);
    return id;
}

Quelt::OCL::DispatchTable& CLTable() {
    static Quelt::OCL::DispatchTable table;
    return table;
}

void Reset() {
    GL() = GLState();
    Platforms().clear();
    Devices().clear();
    CLTable() = Quelt::OCL::DispatchTable();
}

}  // namespace FakeQuelt

namespace Quelt {
namespace OCL {

const char* Enum::GetPropertyTypeName(DeviceProperty property) {
    switch (property) {
        case DeviceGlobalMemSize:
            return typeid(cl_ulong).name();
        case DeviceVendorId:
            return typeid(cl_uint).name();
        default:
            return "";
    }
}

Device::Device(cl_device_id id) : deviceId(id) {}

cl_device_id Device::id() const { return deviceId; }

std::string Device::name() const { return DeviceOf(deviceId).info.name; }

std::string Device::vendor() const { return DeviceOf(deviceId).info.vendor; }

Platform Device::platform() const { return Platform(DeviceOf(deviceId).platform); }

void Device::getInfoImpl(Enum::DeviceProperty property, size_t size, void* value,
                         size_t* sizeReturned) const {
    const FakeDevice& device = DeviceOf(deviceId);
    switch (property) {
        case Enum::DeviceGlobalMemSize:
            Write(device.info.globalMemSize, size, value);
            break;
        case Enum::DeviceVendorId:
            Write(device.info.vendorId, size, value);
            break;
        default:
            throw LogicalException("CL_INVALID_VALUE");
    }
    if (sizeReturned != nullptr) *sizeReturned = size;
}

Platform::Platform(cl_platform_id id) : platformId(id) {}

cl_platform_id Platform::id() const { return platformId; }

std::string Platform::name() const { return "Fake Platform"; }

std::string Platform::vendor() const { return "Fake Vendor"; }

std::string Platform::version() const { return PlatformOf(platformId).version; }

std::vector<Device> Platform::devices(int type) const {
    std::vector<Device> result;
    if (type != Device::GPU) return result;
    for (const cl_device_id id : PlatformOf(platformId).gpus) result.push_back(Device(id));
    return result;
}

std::vector<Platform> platforms() {
    std::vector<Platform> result;
    for (FakePlatform& platform : Platforms()) {
        result.push_back(Platform(reinterpret_cast<cl_platform_id>(&platform)));
    }
    return result;
}

ExtensionManager::ExtensionManager() : entries() {}

ExtensionManager& ExtensionManager::instance() {
    static ExtensionManager manager;
    return manager;
}

const DispatchTable& ExtensionManager::table() const { return FakeQuelt::CLTable(); }

Context::Context(const Device&)
    : context(reinterpret_cast<_cl_context*>(&contextHandle), NoRelease()) {}

cl_context Context::handle() const { return context.get(); }

CommandQueue::CommandQueue(const Context&, const Device&, bool)
    : queue(reinterpret_cast<_cl_command_queue*>(&queueHandle), NoRelease()) {}

cl_command_queue CommandQueue::handle() const { return queue.get(); }

}  // namespace OCL
}  // namespace Quelt
