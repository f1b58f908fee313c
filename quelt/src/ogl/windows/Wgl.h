#pragma once

// WGL and its extensions.
#include <GL/gl.h>
#include <GL/wglext.h>
#include <windows.h>
