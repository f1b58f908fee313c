#pragma once

#include "quelt/quelt_ogl/OpenGL.h"
#include "quelt/quelt_ogl/OpenGLExtension.h"

// The host's own OpenGL queries, in the order it reads them: the host tester asks
// them of every OpenGL GPU, and the report tool asks them of the records read back.
enum HostQueryKind { kHostString, kHostProgramiv, kHostIntegerv, kHostExtension };

struct HostQuery {
    HostQueryKind kind;
    const char* name;
    int number;
};

// The host reads the first value of each glGetIntegerv and glGetProgramivARB answer.
const int kHostQueryValues = 1;

// Each row is made from the token itself, so the name the report shows and the
// number asked cannot disagree.
#define TROVEX_GL_QUERY(kind, token) \
    { kind, #token, token }
#define TROVEX_EXTENSION(extension) \
    { kHostExtension, "Quelt::OGL::" #extension, Quelt::OGL::extension }

inline const HostQuery kHostQueries[] = {
    TROVEX_GL_QUERY(kHostString, GL_SHADING_LANGUAGE_VERSION),
    TROVEX_GL_QUERY(kHostProgramiv, GL_MAX_PROGRAM_INSTRUCTIONS_ARB),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_TEXTURE_UNITS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_DRAW_BUFFERS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_VERTEX_UNIFORM_COMPONENTS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_FRAGMENT_UNIFORM_COMPONENTS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_VARYING_FLOATS),
    TROVEX_GL_QUERY(kHostIntegerv, GL_MAX_VERTEX_ATTRIBS),
    TROVEX_EXTENSION(GL_ARB_VERTEX_PROGRAM),
    TROVEX_EXTENSION(GL_ARB_FRAGMENT_PROGRAM),
    TROVEX_EXTENSION(GL_ARB_VERTEX_SHADER),
    TROVEX_EXTENSION(GL_ARB_FRAGMENT_SHADER),
    TROVEX_EXTENSION(GL_EXT_FRAMEBUFFER_OBJECT),
    TROVEX_EXTENSION(GL_ARB_TEXTURE_RECTANGLE),
    TROVEX_EXTENSION(GL_ARB_TEXTURE_FLOAT),
    TROVEX_EXTENSION(GL_ARB_OCCLUSION_QUERY),
    TROVEX_EXTENSION(GL_ARB_VERTEX_BUFFER_OBJECT),
    TROVEX_EXTENSION(GL_ARB_SHADER_TEXTURE_LOD),
};

#undef TROVEX_GL_QUERY
#undef TROVEX_EXTENSION
