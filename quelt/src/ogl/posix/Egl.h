#pragma once

// EGL without any window-system headers: the library only draws offscreen.
#ifndef EGL_NO_X11
#define EGL_NO_X11
#endif
#include <EGL/egl.h>
#include <EGL/eglext.h>
