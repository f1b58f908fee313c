#pragma once

// The GLSL test: compiles and links, on the current context, a program of the
// legacy vertex and fragment shaders the host draws its layers with. Throws
// Quelt's exceptions when the driver refuses it.
void LinkGLSLTestProgram();
