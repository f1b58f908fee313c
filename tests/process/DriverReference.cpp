// The drivers' own answers to what the probe asks, taken straight from EGL,
// OpenGL and OpenCL, without the foundation library: the process tests compose
// this machine's expected report from them. Each line is NAME=answer. The
// arguments name the glGetIntegerv enumerants to ask ("i34852") and the
// glGetProgramivARB ones ("p34977").
#include <CL/cl.h>
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

template <typename Function>
Function Entry(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

const char* Text(const GLubyte* text) {
    return text != nullptr ? reinterpret_cast<const char*>(text) : "(null)";
}

// A context of the compatibility profile on the first EGL device, with no surface,
// as the probe makes its contexts.
void AskOpenGL(int argc, char** argv) {
    EGLDeviceEXT devices[16];
    EGLint count = 0;
    if (!Entry<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT")(16, devices, &count) || count < 1)
        return;
    const char* extensions = Entry<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT")(
        devices[0], EGL_EXTENSIONS);
    std::printf("EGLDevices=%d\nSoftware=%d\n", count,
                extensions != nullptr && std::strstr(extensions, "EGL_MESA_device_software"));
    const EGLDisplay display = Entry<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT")(
        EGL_PLATFORM_DEVICE_EXT, devices[0], nullptr);
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    if (!eglInitialize(display, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) return;
    const EGLContext context =
        eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) return;
    std::printf("GL_VENDOR=%s\nGL_RENDERER=%s\nGL_VERSION=%s\nGL_SHADING_LANGUAGE_VERSION=%s\n",
                Text(glGetString(GL_VENDOR)), Text(glGetString(GL_RENDERER)),
                Text(glGetString(GL_VERSION)), Text(glGetString(GL_SHADING_LANGUAGE_VERSION)));
    std::printf("GL_EXTENSIONS= %s \n", Text(glGetString(GL_EXTENSIONS)));
    const auto programiv = Entry<PFNGLGETPROGRAMIVARBPROC>("glGetProgramivARB");
    for (int i = 1; i < argc; ++i) {
        GLint value = 0;
        const GLenum name = static_cast<GLenum>(std::atoi(argv[i] + 1));
        if (argv[i][0] == 'p')
            programiv(GL_FRAGMENT_PROGRAM_ARB, name, &value);
        else
            glGetIntegerv(name, &value);
        std::printf("%s=%d\n", argv[i], value);
    }
}

// The GPU devices of every platform, in the loader's order, as the probe lists them;
// a device's answers are named by their cl_device_info numbers.
void AskOpenCL() {
    cl_platform_id platforms[16];
    cl_uint platformCount = 0;
    int gpus = 0;
    if (clGetPlatformIDs(16, platforms, &platformCount) != CL_SUCCESS) platformCount = 0;
    for (cl_uint p = 0; p < platformCount; ++p) {
        cl_device_id devices[16];
        cl_uint count = 0;
        char text[4096] = "";
        clGetPlatformInfo(platforms[p], CL_PLATFORM_VERSION, sizeof text - 1, text, nullptr);
        if (clGetDeviceIDs(platforms[p], CL_DEVICE_TYPE_GPU, 16, devices, &count) != CL_SUCCESS)
            count = 0;
        for (cl_uint d = 0; d < count; ++d, ++gpus) {
            std::printf("clgpu[%d].platform=%s\n", gpus, text);
            for (cl_device_info name :
                 {CL_DEVICE_VERSION, CL_DEVICE_NAME, CL_DEVICE_VENDOR, CL_DRIVER_VERSION}) {
                std::memset(text, 0, sizeof text);
                clGetDeviceInfo(devices[d], name, sizeof text - 1, text, nullptr);
                std::printf("clgpu[%d].%u=%s\n", gpus, name, text);
            }
            // A cl_uint answer fills the low half of the zeroed number.
            for (cl_device_info name : {CL_DEVICE_VENDOR_ID, CL_DEVICE_GLOBAL_MEM_SIZE}) {
                cl_ulong number = 0;
                clGetDeviceInfo(devices[d], name, sizeof number, &number, nullptr);
                std::printf("clgpu[%d].%u=%llu\n", gpus, name,
                            static_cast<unsigned long long>(number));
            }
        }
    }
    std::printf("CLGPUs=%d\n", gpus);
}

}  // namespace

int main(int argc, char** argv) {
    AskOpenGL(argc, argv);
    AskOpenCL();
    return 0;
}
