#include "quelt/quelt_ocl/Enum"

#include <typeinfo>

namespace Quelt {
namespace OCL {
namespace Enum {

const char* GetPropertyTypeName(DeviceProperty property) {
    switch (property) {
        case DeviceType:
            return typeid(cl_device_type).name();
        case DeviceVendorId:
        case DeviceMaxComputeUnits:
        case DeviceMaxClockFrequency:
            return typeid(cl_uint).name();
        case DeviceMaxWorkGroupSize:
            return typeid(size_t).name();
        case DeviceGlobalMemSize:
        case DeviceLocalMemSize:
            return typeid(cl_ulong).name();
        case DevicePlatform:
            return typeid(cl_platform_id).name();
        case DeviceName:
        case DeviceVendor:
        case DriverVersion:
        case DeviceProfile:
        case DeviceVersion:
            break;
    }
    // Texts have no fixed size, and unknown properties no known type.
    return "";
}

}  // namespace Enum
}  // namespace OCL
}  // namespace Quelt
