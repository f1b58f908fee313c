// The platform-neutral part of the OpenGL layer (Library::initialize, Context's
// display devices) over platforms this test makes: it is linked in place of the
// platform folder's loader.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ogl/Context.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/src/ogl/LoadedPlatform.h"

namespace {

// Each library's display devices; '*' marks the primary one.
const std::map<std::string, std::vector<std::string>> kLibraries = {
    {"default", {"D0"}},
    {"second-primary", {"D0", "*D1", "D2"}},
    {"unmarked", {"D0", "D1"}},
    {"no-devices", {}},
};

}  // namespace

namespace Quelt {
namespace OGL {

const char* const defaultDriverLibrary = "default";

std::unique_ptr<const LoadedPlatform> loadPlatform(const std::string& libraryName) {
    const auto found = kLibraries.find(libraryName);
    if (found == kLibraries.end()) throw LogicalException(("no driver " + libraryName).c_str());
    auto platform = std::make_unique<LoadedPlatform>();
    for (const std::string& name : found->second) {
        DISPLAY_DEVICEA device = emptyDisplayDevice();
        const bool primary = name[0] == '*';
        std::strcpy(device.DeviceName, name.c_str() + (primary ? 1 : 0));
        if (primary) device.StateFlags |= DISPLAY_DEVICE_PRIMARY_DEVICE;
        platform->devices.push_back(device);
    }
    return platform;
}

}  // namespace OGL
}  // namespace Quelt

namespace {

using namespace Quelt::OGL;

void Initialize(const std::string& library) {
    Library::InitOptions options;
    options.driverLibrary = library;
    Library::initialize(options);
}

// One run, since initialising is for the life of the process.
TEST(LoadedPlatformTest, InitializeKeepsEveryPlatformAndTheLastGoodOneAnswers) {
    struct Case {
        const char* library;  // empty: the default one
        bool loads;
        int devices;
        const char* primary;
    };
    const Case cases[] = {
        {"", true, 1, "D0"},         {"second-primary", true, 3, "D1"}, {"unmarked", true, 2, "D0"},
        {"missing", false, 2, "D0"},  // the last good one stays in force
        {"no-devices", true, 0, ""}, {"second-primary", true, 3, "D1"},  // loaded once, chosen
                                                                         // again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        if (c.loads) {
            EXPECT_NO_THROW(Initialize(c.library));
        } else {
            EXPECT_THROW(Initialize(c.library), Quelt::LogicalException);
        }
        EXPECT_EQ(c.devices, Context::numDisplayDevice());
        EXPECT_STREQ(c.primary, Context::PrimaryDisplayDevice().DeviceName);
        DISPLAY_DEVICEA device;
        EXPECT_FALSE(Context::displayDevice(c.devices, device));
        EXPECT_STREQ("", device.DeviceName);
        for (int index = 0; index < c.devices; ++index) {
            ASSERT_TRUE(Context::displayDevice(index, device));
            EXPECT_EQ(static_cast<size_t>(index), findDisplayDevice(requirePlatform(), device));
        }
        std::strcpy(device.DeviceName, "NoSuchDevice");
        EXPECT_THROW(findDisplayDevice(requirePlatform(), device), Quelt::LogicalException);
    }
}

}  // namespace
