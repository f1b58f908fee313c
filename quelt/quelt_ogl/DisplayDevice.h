#pragma once

// A display device as Windows describes it. Where the platform has no such
// structure, the library defines one of the same layout.
#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

struct DISPLAY_DEVICEA {
    uint32_t cb;
    char DeviceName[32];
    char DeviceString[128];
    uint32_t StateFlags;
    char DeviceID[128];
    char DeviceKey[128];
};

#ifndef DISPLAY_DEVICE_PRIMARY_DEVICE
#define DISPLAY_DEVICE_PRIMARY_DEVICE 0x00000004
#endif
#endif
