#include "quelt/quelt_ogl/ContextOffscreen.h"

#include <cstring>
#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/PlatformContext.h"
#include "quelt/src/ogl/windows/HiddenWindow.h"
#include "quelt/src/ogl/windows/WglPlatform.h"

namespace Quelt {
namespace OGL {

namespace {

// A device context of the display device itself, for as long as a pbuffer is
// being made on it.
class DisplayDC {
public:
    explicit DisplayDC(const DISPLAY_DEVICEA& device)
        : dc(CreateDCA("DISPLAY", device.DeviceName, nullptr, nullptr)) {
        if (dc == nullptr) throwSystemError("cannot open " + displayDeviceName(device));
    }
    ~DisplayDC() { DeleteDC(dc); }

    operator HDC() const { return dc; }

private:
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;

    const HDC dc;
};

// Where the display device's part of the desktop begins; a window placed there
// is on that device.
POINT desktopPosition(const DISPLAY_DEVICEA& device) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode)) return POINT{0, 0};
    return POINT{mode.dmPosition.x, mode.dmPosition.y};
}

}  // namespace

// The context draws to a 1x1 pbuffer where the driver offers pbuffers, else to
// a hidden window; either way it renders to framebuffer objects only.
struct ContextOffscreen::State {
    const WglEntryPoints* wgl = nullptr;
    std::unique_ptr<HiddenWindow> window;
    HPBUFFERARB pbuffer = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;

    ~State() {
        if (context != nullptr) {
            forgetContext(context);
            if (wgl->getCurrentContext() == context) wgl->makeCurrent(nullptr, nullptr);
            wgl->deleteContext(context);
        }
        if (pbuffer != nullptr) {
            if (dc != nullptr) wgl->releasePbufferDC(pbuffer, dc);
            wgl->destroyPbuffer(pbuffer);
        }
    }

    void createPbuffer(const DISPLAY_DEVICEA& device) {
        const DisplayDC display(device);
        // Name and value pairs, ended by a 0 name.
        const int attributes[][2] = {{WGL_DRAW_TO_PBUFFER_ARB, GL_TRUE},
                                     {WGL_SUPPORT_OPENGL_ARB, GL_TRUE},
                                     {WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB},
                                     {WGL_COLOR_BITS_ARB, 24},
                                     {WGL_ALPHA_BITS_ARB, 8},
                                     {0, 0}};
        int format = 0;
        UINT formats = 0;
        if (!wgl->choosePixelFormat(display, attributes[0], nullptr, 1, &format, &formats) ||
            formats == 0) {
            throw LogicalException(
                ("no pbuffer pixel format on " + displayDeviceName(device)).c_str());
        }
        const int noAttributes[] = {0};
        pbuffer = wgl->createPbuffer(display, format, 1, 1, noAttributes);
        if (pbuffer == nullptr)
            throwSystemError("cannot create a pbuffer on " + displayDeviceName(device));
        dc = wgl->getPbufferDC(pbuffer);
        if (dc == nullptr)
            throwSystemError("cannot draw to the pbuffer on " + displayDeviceName(device));
    }

    void createWindow(const DISPLAY_DEVICEA& device) {
        const POINT position = desktopPosition(device);
        window = std::make_unique<HiddenWindow>(position.x, position.y);
        dc = window->dc();
    }
};

// A context made with wglCreateContext is a legacy one: from OpenGL 3.2 on,
// drivers give it the compatibility profile.
ContextOffscreen::ContextOffscreen(const DISPLAY_DEVICEA& device)
    : state(std::make_unique<State>()) {
    const WglPlatform& platform = requirePlatformAs<WglPlatform>();
    const DISPLAY_DEVICEA& known = platform.devices[findDisplayDevice(platform, device)];
    state->wgl = &platform.wgl;
    if (platform.wgl.hasPbuffers()) {
        state->createPbuffer(known);
    } else {
        state->createWindow(known);
    }
    state->context = platform.wgl.createContext(state->dc);
    if (state->context == nullptr) {
        throwSystemError("cannot create an OpenGL context on " + displayDeviceName(known));
    }
}

ContextOffscreen::~ContextOffscreen() = default;

void ContextOffscreen::makeCurrent() {
    if (!state->wgl->makeCurrent(state->dc, state->context)) {
        throwSystemError("cannot make the OpenGL context current");
    }
}

}  // namespace OGL
}  // namespace Quelt
