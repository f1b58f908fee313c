#pragma once

#include "quelt/quelt_ogl/DisplayDevice.h"

namespace Quelt {
namespace OGL {

// An OpenGL context. The static members describe the display devices contexts
// can be created on.
class Context {
public:
    virtual ~Context();

    virtual void makeCurrent() = 0;

    static int numDisplayDevice();
    // Fills device for the index; false (and an empty device) when there is none.
    static bool displayDevice(int index, DISPLAY_DEVICEA& device);
    // The device flagged DISPLAY_DEVICE_PRIMARY_DEVICE, else the first, else an
    // empty device.
    static DISPLAY_DEVICEA PrimaryDisplayDevice();

protected:
    Context();

private:
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
};

}  // namespace OGL
}  // namespace Quelt
