// OpenGL's own answers to what the probe asks, taken straight from EGL and
// OpenGL, without the foundation library: the process tests compose the
// expected report from them (and OpenCL's from clinfo). Each line is
// NAME=answer. The arguments name what to ask: glGetString ("S7937"),
// glGetIntegerv ("I34852") or glGetProgramivARB ("P34977") of that enumerant.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

template <typename Function>
Function Entry(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

// A context of the compatibility profile on the first EGL device, with no surface,
// as the probe makes its contexts.
int main(int argc, char** argv) {
    EGLDeviceEXT devices[16];
    EGLint count = 0;
    if (!Entry<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT")(16, devices, &count) || count < 1)
        return 0;
    const EGLDisplay display = Entry<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT")(
        EGL_PLATFORM_DEVICE_EXT, devices[0], nullptr);
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    // Where a call fails, the answers are missing and the report cannot meet them.
    eglInitialize(display, nullptr, nullptr);
    eglBindAPI(EGL_OPENGL_API);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE,
                   eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes));
    // Through EGL, as the probe takes them, so that a fake EGL alters both alike.
    const auto getString = Entry<decltype(&glGetString)>("glGetString");
    const auto getIntegerv = Entry<decltype(&glGetIntegerv)>("glGetIntegerv");
    const auto programiv = Entry<PFNGLGETPROGRAMIVARBPROC>("glGetProgramivARB");
    for (int i = 1; i < argc; ++i) {
        const GLenum name = static_cast<GLenum>(std::atoi(argv[i] + 1));
        // Room for more than one value: GL_MAX_VIEWPORT_DIMS writes two.
        GLint values[64] = {};
        if (argv[i][0] == 'P') programiv(GL_FRAGMENT_PROGRAM_ARB, name, values);
        if (argv[i][0] == 'I') getIntegerv(name, values);
        if (argv[i][0] == 'S')
            std::printf("%s=%s\n", argv[i], reinterpret_cast<const char*>(getString(name)));
        else
            std::printf("%s=%d\n", argv[i], values[0]);
    }
}
