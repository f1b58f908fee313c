#pragma once

#include "quelt/src/ogl/windows/WglEntryPoints.h"

namespace Quelt {
namespace OGL {

// The OpenGL context current on this thread and the device context it draws to.
struct CurrentContext {
    HDC dc;
    HGLRC context;
};

CurrentContext currentContext(const WglEntryPoints& wgl);

// Makes a saved context current again. Where there was none, or it cannot be
// made current any more (destroyed meanwhile), the thread is left without one.
void restoreContext(const WglEntryPoints& wgl, const CurrentContext& saved);

}  // namespace OGL
}  // namespace Quelt
