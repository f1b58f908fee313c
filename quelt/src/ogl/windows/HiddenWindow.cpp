#include "quelt/src/ogl/windows/HiddenWindow.h"

#include "quelt/src/ogl/windows/WglEntryPoints.h"

namespace Quelt {
namespace OGL {

namespace {

const char* const windowClassName = "QueltHiddenWindow";

// A private device context per window, as OpenGL needs: the pixel format is set
// on it once and it stays the window's.
ATOM registerWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass);
}

void requireWindowClass() {
    static const ATOM registered = registerWindowClass();
    if (registered == 0) throwSystemError("cannot register the window class for OpenGL");
}

void setPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cAlphaBits = 8;
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.iLayerType = PFD_MAIN_PLANE;
    const int index = ChoosePixelFormat(dc, &format);
    if (index == 0) throwSystemError("no OpenGL pixel format for a window");
    if (!SetPixelFormat(dc, index, &format)) throwSystemError("cannot set the pixel format");
}

HWND createWindow(int x, int y) {
    requireWindowClass();
    const HWND window =
        CreateWindowExA(0, windowClassName, "Quelt", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        x, y, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) throwSystemError("cannot create a window for OpenGL");
    return window;
}

}  // namespace

HiddenWindow::HiddenWindow(int x, int y)
    : window(createWindow(x, y)), deviceContext(GetDC(window.get())) {
    if (deviceContext == nullptr) throwSystemError("cannot get the window's device context");
    setPixelFormat(deviceContext);
}

void HiddenWindow::Destroy::operator()(HWND window) const { DestroyWindow(window); }

HDC HiddenWindow::dc() const { return deviceContext; }

}  // namespace OGL
}  // namespace Quelt
