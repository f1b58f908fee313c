#pragma once

#include <memory>
#include <type_traits>

#include "quelt/src/ogl/windows/Wgl.h"

namespace Quelt {
namespace OGL {

// A window that is never shown, whose device context has an RGBA OpenGL pixel
// format: where WGL offers no pbuffers, a context needs a window to draw to.
// The window belongs to the thread that creates it.
class HiddenWindow {
public:
    // The window's top left corner goes to the given desktop position, which
    // places it on the display device showing that part of the desktop.
    // Throws LogicalException when the window or its pixel format cannot be made.
    HiddenWindow(int x, int y);

    HDC dc() const;

private:
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    struct Destroy {
        void operator()(HWND window) const;
    };

    // The device context is the window's own and goes with it.
    std::unique_ptr<std::remove_pointer_t<HWND>, Destroy> window;
    HDC deviceContext;
};

}  // namespace OGL
}  // namespace Quelt
