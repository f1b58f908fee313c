#pragma once

#include <vector>

#include "quelt/src/ogl/LoadedPlatform.h"
#include "quelt/src/ogl/windows/WglEntryPoints.h"

namespace Quelt {
namespace OGL {

// The WGL driver's entry points.
struct WglPlatform : LoadedPlatform {
    WglEntryPoints wgl;
};

}  // namespace OGL
}  // namespace Quelt
