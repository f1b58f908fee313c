#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "failure/FailRequirement.h"
#include "gpu/GPU.h"
#include "gpu/GPUImplHardware.h"
#include "gpu/win/CreateHardwareImpl.h"
#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ocl/Platform"

namespace {

const std::string kOpenCLPrefix = "OpenCL ";
const std::string kCUDAMarker = " CUDA ";

// Drivers may hand back texts with their terminating NUL, or more after it.
std::string UpToNul(const std::string& text) { return std::string(text.c_str()); }

std::string WithoutOpenCLPrefix(const std::string& text) {
    return text.compare(0, kOpenCLPrefix.size(), kOpenCLPrefix) == 0
               ? text.substr(kOpenCLPrefix.size())
               : text;
}

// A platform version such as "OpenCL 1.1 CUDA 4.2.1" holds the OpenCL version
// and, on NVIDIA's platform, the CUDA version: ("1.1", "4.2.1").
std::pair<std::string, std::string> SplitPlatformVersion(const std::string& version) {
    const std::string rest = WithoutOpenCLPrefix(UpToNul(version));
    const std::string::size_type cut = rest.find(kCUDAMarker);
    if (cut == std::string::npos) return std::make_pair(rest, std::string());
    return std::make_pair(rest.substr(0, cut), rest.substr(cut + kCUDAMarker.size()));
}

// Device texts are at most a few kilobytes; a size far above that is a broken
// answer, which would allocate terabytes or wrap the size to 0.
const size_t kMaxDeviceTextBytes = 1048576;

// A device text property, read through the loader's clGetDeviceInfo: the size
// first, then the bytes. A missing entry or a failed call fails with the
// caller's text; a size outside 0 to kMaxDeviceTextBytes with one naming the
// query (as "clGetDeviceInfo(CL_DRIVER_VERSION)") and the size.
std::string ReadDeviceText(cl_device_id id, cl_device_info property, const char* query,
                           const char* failure) {
    const cl_api_clGetDeviceInfo getDeviceInfo =
        Quelt::OCL::ExtensionManager::instance().table().clGetDeviceInfo;
    if (getDeviceInfo == nullptr) FailRequirement(failure);
    size_t size = 0;
    if (getDeviceInfo(id, property, 0, nullptr, &size) != CL_SUCCESS) FailRequirement(failure);
    if (size > kMaxDeviceTextBytes) {
        FailRequirement((std::string(query) + " answered " + std::to_string(size) +
                         ", outside 0 to " + std::to_string(kMaxDeviceTextBytes))
                            .c_str());
    }
    if (size == 0) return std::string();
    // One byte more than the driver writes, so the text always ends in a NUL.
    std::vector<char> buffer(size + 1, '\0');
    // The size returned may be left null, but some drivers write it anyway.
    size_t written = 0;
    if (getDeviceInfo(id, property, size, buffer.data(), &written) != CL_SUCCESS) {
        FailRequirement(failure);
    }
    return std::string(buffer.data());
}

}  // namespace

CLGPUVec GPUImplHardware::DoGetCLGPUs() {
    CLGPUVec result;
    for (const Quelt::OCL::Platform& platform : Quelt::OCL::platforms()) {
        for (const Quelt::OCL::Device& gpu : platform.devices(Quelt::OCL::Device::GPU)) {
            const boost::shared_ptr<GPUImpl> impl = CreateHardwareImpl();
            // The factory makes hardware back ends only.
            boost::static_pointer_cast<GPUImplHardware>(impl)->SetCLDevice(gpu);
            result.push_back(boost::shared_ptr<CLGPU>(new CLGPU(impl)));
        }
    }
    return result;
}

std::string GPUImplHardware::DoGetCLPlatformVersion() {
    return SplitPlatformVersion(device.platform().version()).first;
}

std::string GPUImplHardware::DoGetCUDAVersion() {
    return SplitPlatformVersion(device.platform().version()).second;
}

bool GPUImplHardware::DoGetCUDASupported() { return !DoGetCUDAVersion().empty(); }

// The report writes the figure unsigned in 32 bits; a larger one is written as the
// largest it can show rather than wrapped (4 PiB would read 0).
int GPUImplHardware::DoGetCLMemoryMB() {
    const cl_ulong bytes = device.getInfo<cl_ulong>(Quelt::OCL::Enum::DeviceGlobalMemSize);
    const cl_ulong megabytes = std::min<cl_ulong>(bytes >> 20, UINT32_MAX);
    return static_cast<int>(static_cast<uint32_t>(megabytes));
}

std::string GPUImplHardware::DoGetCLName() { return UpToNul(device.name()); }

std::string GPUImplHardware::DoGetCLVendor() { return UpToNul(device.vendor()); }

int GPUImplHardware::DoGetCLVendorID() {
    return static_cast<int>(device.getInfo<cl_uint>(Quelt::OCL::Enum::DeviceVendorId));
}

std::string GPUImplHardware::DoGetCLDriverVersion() {
    return ReadDeviceText(device.id(), CL_DRIVER_VERSION, "clGetDeviceInfo(CL_DRIVER_VERSION)",
                          "clGetDeviceInfo failed");
}

std::string GPUImplHardware::DoGetCLDeviceVersion() {
    return WithoutOpenCLPrefix(ReadDeviceText(device.id(), CL_DEVICE_VERSION,
                                              "clGetDeviceInfo(CL_DEVICE_VERSION)",
                                              "Failed requirement: status == CL_SUCCESS"));
}

// The host reads these as 0 on every machine: a measurement takes seconds per device,
// more than a probe run may spend, so MeasureCLBandwidth and MeasureCLCompute are
// kept for callers that measure on purpose and are not asked here.
double GPUImplHardware::DoGetCLBandwidth() { return 0.0; }

double GPUImplHardware::DoGetCLCompute() { return 0.0; }

double GPUImplHardware::DoGetMinCLBandwidth() { return 0.0; }
