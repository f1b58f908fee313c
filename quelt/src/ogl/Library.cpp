#include "quelt/quelt_ogl/Library.h"

#include <atomic>
#include <map>
#include <mutex>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/LoadedPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

// Every platform ever loaded, by driver library name, kept for the life of the
// process like the libraries themselves: a second initialize with the same
// library reuses the first one's, and a failing one leaves the last in force.
std::mutex platformsMutex;
std::map<std::string, std::unique_ptr<const LoadedPlatform>> platforms;
std::atomic<const LoadedPlatform*> current{nullptr};

}  // namespace

Library::InitOptions::InitOptions() = default;

void Library::initialize(const InitOptions& options) {
    const std::string libraryName =
        options.driverLibrary.empty() ? defaultDriverLibrary : options.driverLibrary;
    std::lock_guard<std::mutex> lock(platformsMutex);
    auto found = platforms.find(libraryName);
    if (found == platforms.end()) {
        found = platforms.emplace(libraryName, loadPlatform(libraryName)).first;
    }
    current = found->second.get();
}

const LoadedPlatform* loadedPlatform() { return current; }

const LoadedPlatform& requirePlatform() {
    const LoadedPlatform* platform = current;
    if (platform == nullptr) {
        throw LogicalException("OpenGL is not initialised: call Quelt::OGL::Library::initialize");
    }
    return *platform;
}

}  // namespace OGL
}  // namespace Quelt
