#include "quelt/quelt_ocl/Library"

#include <CL/cl_ext.h>

#include <mutex>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ocl/ExtensionManager"
#include "quelt/src/ocl/DefaultLoader.h"
#include "quelt/src/ocl/Entries.h"

namespace Quelt {
namespace OCL {

namespace {

// A machine has a platform per installed driver; a count far above that is a
// broken answer.
const cl_uint maxPlatforms = 1024;

// The loader the last isOpenCLAvailable asked about; initialize uses it.
std::mutex chosenLoaderMutex;
std::string chosenLoader = defaultLoader;

}  // namespace

bool Library::isOpenCLAvailable(std::string libraryName) {
    try {
        if (libraryName.empty()) libraryName = defaultLoader;
        {
            std::lock_guard<std::mutex> lock(chosenLoaderMutex);
            chosenLoader = libraryName;
        }
        const Core::SharedObject loader(libraryName, "the OpenCL loader");
        const auto getPlatformIDs =
            reinterpret_cast<cl_api_clGetPlatformIDs>(loader.symbol("clGetPlatformIDs"));
        cl_uint count = 0;
        return getPlatformIDs != nullptr && getPlatformIDs(0, nullptr, &count) == CL_SUCCESS &&
               count > 0;
    } catch (...) {
        return false;
    }
}

void Library::initialize() {
    std::string loaderName;
    {
        std::lock_guard<std::mutex> lock(chosenLoaderMutex);
        loaderName = chosenLoader;
    }
    const DispatchTable entries =
        loadDispatchTable(Core::SharedObject(loaderName, "the OpenCL loader"));
    // What the library's own wrappers call; every loader since OpenCL 1.0 has them.
    const std::pair<bool, const char*> used[] = {
        {entries.clGetPlatformIDs != nullptr, "clGetPlatformIDs"},
        {entries.clGetPlatformInfo != nullptr, "clGetPlatformInfo"},
        {entries.clGetDeviceIDs != nullptr, "clGetDeviceIDs"},
        {entries.clGetDeviceInfo != nullptr, "clGetDeviceInfo"},
        {entries.clCreateContext != nullptr, "clCreateContext"},
        {entries.clReleaseContext != nullptr, "clReleaseContext"},
        {entries.clCreateCommandQueue != nullptr, "clCreateCommandQueue"},
        {entries.clReleaseCommandQueue != nullptr, "clReleaseCommandQueue"},
    };
    for (const auto& entry : used) {
        if (!entry.first) {
            throw LogicalException(
                (loaderName + " does not export " + entry.second + ": not an OpenCL loader")
                    .c_str());
        }
    }
    ExtensionManager::instance().entries = entries;
}

std::vector<Platform> platforms() {
    const DispatchTable& cl = loadedEntries();
    // CL_PLATFORM_NOT_FOUND_KHR is the loader's answer when no driver is installed.
    return readHandles<Platform, cl_platform_id>(
        "clGetPlatformIDs", CL_PLATFORM_NOT_FOUND_KHR, maxPlatforms,
        [&cl](cl_uint count, cl_platform_id* ids, cl_uint* countReturned) {
            return cl.clGetPlatformIDs(count, ids, countReturned);
        });
}

}  // namespace OCL
}  // namespace Quelt
