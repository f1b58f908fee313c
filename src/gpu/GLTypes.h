#pragma once

// The OpenGL types the records' queries take, under OpenGL's own names. The
// records include no OpenGL header, so a host may include its own (GLEW's, which
// must come before GL/gl.h) before or after them: C++ allows a typedef to be
// repeated with the same type, and GPUImplHardwareOpenGL.cpp checks that these
// are OpenGL's.
typedef unsigned int GLenum;
typedef int GLint;
