#pragma once

// OpenGL types and enumerants, and the few OpenGL functions the library offers
// to its users directly. The library takes every entry point from the driver at
// run time, so a program linked with it does not link the OpenGL library itself.
#include <GL/gl.h>
#include <GL/glext.h>
