#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace OGL {

// Every platform ever loaded, by driver library name, kept for the life of the
// process like the libraries themselves: a second initialize with the same
// library reuses the first one's, and a failing one leaves the last in force.
template <typename Platform>
class LoadedPlatforms {
public:
    typedef std::unique_ptr<const Platform> (*Loader)(const std::string& libraryName);

    void select(const std::string& libraryName, Loader load) {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = platforms.find(libraryName);
        if (found == platforms.end()) {
            found = platforms.emplace(libraryName, load(libraryName)).first;
        }
        current = found->second.get();
    }

    // The platform of the last successful select; null before.
    const Platform* loaded() const { return current; }

    const Platform& require() const {
        const Platform* platform = current;
        if (platform == nullptr) {
            throw LogicalException(
                "OpenGL is not initialised: call Quelt::OGL::Library::initialize");
        }
        return *platform;
    }

private:
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<const Platform>> platforms;
    std::atomic<const Platform*> current{nullptr};
};

}  // namespace OGL
}  // namespace Quelt
