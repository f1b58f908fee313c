#pragma once

// The program the GLSL test compiles and links: the vertex and fragment sources
// as pieces that are handed to the driver as they stand, without line ends.
extern const char* const kGLSLTestVertexPieces[];
extern const int kGLSLTestVertexPieceCount;
extern const char* const kGLSLTestFragmentPieces[];
extern const int kGLSLTestFragmentPieceCount;
