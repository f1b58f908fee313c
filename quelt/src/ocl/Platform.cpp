#include "quelt/quelt_ocl/Platform"

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ocl/Device"
#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

namespace {

// A platform has a handful of devices, a large one a few dozen; a count far
// above that is a broken answer.
const cl_uint maxDevices = 4096;

// Platform texts end at their first NUL, unlike the device's raw bytes.
std::string platformText(cl_platform_id platform, cl_platform_info property) {
    if (platform == nullptr) throw LogicalException("OpenCL query on a null platform");
    const DispatchTable& cl = loadedEntries();
    const std::string bytes =
        readInfoBytes("clGetPlatformInfo", [&](size_t size, void* value, size_t* sizeReturned) {
            checkStatus(cl.clGetPlatformInfo(platform, property, size, value, sizeReturned),
                        "clGetPlatformInfo");
        });
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

Platform::Platform(cl_platform_id id) : platformId(id) {}

cl_platform_id Platform::id() const { return platformId; }

std::string Platform::name() const { return platformText(platformId, CL_PLATFORM_NAME); }

std::string Platform::vendor() const { return platformText(platformId, CL_PLATFORM_VENDOR); }

std::string Platform::version() const { return platformText(platformId, CL_PLATFORM_VERSION); }

std::vector<Device> Platform::devices(int type) const {
    if (platformId == nullptr) throw LogicalException("OpenCL query on a null platform");
    const DispatchTable& cl = loadedEntries();
    // Through 32 bits, so that All (-1) becomes CL_DEVICE_TYPE_ALL.
    const cl_device_type types = static_cast<cl_uint>(type);
    return readHandles<Device, cl_device_id>(
        "clGetDeviceIDs", CL_DEVICE_NOT_FOUND, maxDevices,
        [&](cl_uint count, cl_device_id* ids, cl_uint* countReturned) {
            return cl.clGetDeviceIDs(platformId, types, count, ids, countReturned);
        });
}

}  // namespace OCL
}  // namespace Quelt
