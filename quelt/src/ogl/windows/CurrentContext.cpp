#include "quelt/src/ogl/windows/CurrentContext.h"

#include "quelt/src/ogl/PlatformContext.h"
#include "quelt/src/ogl/windows/WglPlatform.h"

namespace Quelt {
namespace OGL {

CurrentContext currentContext(const WglEntryPoints& wgl) {
    return CurrentContext{wgl.getCurrentDC(), wgl.getCurrentContext()};
}

void restoreContext(const WglEntryPoints& wgl, const CurrentContext& saved) {
    if (saved.context != nullptr && wgl.makeCurrent(saved.dc, saved.context)) return;
    wgl.makeCurrent(nullptr, nullptr);
}

void* currentContextHandle() {
    const WglPlatform* platform = loadedPlatformAs<WglPlatform>();
    return platform != nullptr ? platform->wgl.getCurrentContext() : nullptr;
}

}  // namespace OGL
}  // namespace Quelt
