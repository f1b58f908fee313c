#include "quelt/quelt_ogl/ScopedContextWrapper.h"

#include "quelt/src/ogl/windows/CurrentContext.h"
#include "quelt/src/ogl/windows/WglPlatform.h"

namespace Quelt {
namespace OGL {

struct ScopedContextWrapper::Saved {
    const WglPlatform* platform;
    CurrentContext current;
};

ScopedContextWrapper::ScopedContextWrapper() {
    const WglPlatform* platform = loadedPlatformAs<WglPlatform>();
    if (platform != nullptr) {
        saved = std::make_unique<Saved>(Saved{platform, currentContext(platform->wgl)});
    }
}

// A destructor has nobody to report a failure to: restoreContext leaves the
// thread without a context then.
ScopedContextWrapper::~ScopedContextWrapper() {
    if (saved) restoreContext(saved->platform->wgl, saved->current);
}

}  // namespace OGL
}  // namespace Quelt
