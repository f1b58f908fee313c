// Quelt on WGL: what the probe's contexts answer and the GLSL and framebuffer
// tests are checked under Wine by the process tests, which hold the Windows
// program's report to the drivers' answers; here, the enumeration of display
// devices against a system no real one is.
#include <gtest/gtest.h>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/ogl/windows/DisplayDevices.h"

namespace {

using namespace Quelt::OGL;

// A system that answers this many devices and then no more; every second one
// shows part of the desktop.
DWORD answered = 0;

BOOL WINAPI AnswerDevices(LPCSTR, DWORD index, PDISPLAY_DEVICEA device, DWORD) {
    if (index >= answered) return FALSE;
    device->StateFlags = index % 2 == 0 ? DISPLAY_DEVICE_ATTACHED_TO_DESKTOP : 0;
    return TRUE;
}

TEST(QueltOnWgl, DisplayDeviceEnumerationEndsAtItsBound) {
    answered = maxDisplayDevices;
    EXPECT_EQ(maxDisplayDevices / 2, enumerateDisplayDevices(AnswerDevices).size());
    answered = maxDisplayDevices + 1;
    try {
        enumerateDisplayDevices(AnswerDevices);
        ADD_FAILURE() << "a system answering without end was read whole";
    } catch (const Quelt::LogicalException& error) {
        EXPECT_STREQ("EnumDisplayDevicesA answered more than 1024 devices", error.what());
    }
}

}  // namespace
