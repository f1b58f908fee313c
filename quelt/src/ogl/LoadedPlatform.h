#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "quelt/quelt_ogl/DisplayDevice.h"
#include "quelt/src/ogl/GLEntryPoints.h"

namespace Quelt {
namespace OGL {

// What Library::initialize found for one driver library: its OpenGL entry
// points and the display devices contexts can be made on, in the order the
// library's users see them. Each platform folder derives its own, with the
// platform's entry points. A platform lives as long as the process, so
// pointers to it never dangle.
struct LoadedPlatform {
    virtual ~LoadedPlatform() = default;

    GLEntryPoints gl;
    std::vector<DISPLAY_DEVICEA> devices;
};

// Made by the platform folder the build takes: the driver library used when
// the options name none, and the loading of a driver library, which throws
// LogicalException when the driver cannot be used.
extern const char* const defaultDriverLibrary;
std::unique_ptr<const LoadedPlatform> loadPlatform(const std::string& libraryName);

// The platform of the last successful Library::initialize; null before.
const LoadedPlatform* loadedPlatform();

// As loadedPlatform(), but throws LogicalException when there is none.
const LoadedPlatform& requirePlatform();

// The loaded platform as the platform folder made it: a build loads platforms
// of its own folder's type only.
template <typename Native>
const Native* loadedPlatformAs() {
    return static_cast<const Native*>(loadedPlatform());
}

template <typename Native>
const Native& requirePlatformAs() {
    return static_cast<const Native&>(requirePlatform());
}

// A display device with only its size set, as Windows wants it before filling it.
DISPLAY_DEVICEA emptyDisplayDevice();

// The device's name, which need not end in a NUL.
std::string displayDeviceName(const DISPLAY_DEVICEA& device);

// The index in platform.devices of the device named as wanted. Throws
// LogicalException when there is none.
size_t findDisplayDevice(const LoadedPlatform& platform, const DISPLAY_DEVICEA& wanted);

}  // namespace OGL
}  // namespace Quelt
