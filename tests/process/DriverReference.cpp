// The drivers' own answers to what the probe asks, taken straight from EGL,
// OpenGL and OpenCL, without the foundation library: the process tests compose
// this machine's expected report from them. Each line is NAME=answer, the OpenCL
// devices' as the report's lines. The arguments name what to ask of OpenGL:
// glGetString ("S7937"), glGetIntegerv ("I34852") or glGetProgramivARB ("P34977")
// of that enumerant.
#include <CL/cl.h>
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

template <typename Function>
Function Entry(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

// A context of the compatibility profile on the first EGL device, with no surface,
// as the probe makes its contexts.
void AskOpenGL(int argc, char** argv) {
    EGLDeviceEXT devices[16];
    EGLint count = 0;
    if (!Entry<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT")(16, devices, &count) || count < 1)
        return;
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
        if (argv[i][0] == 'S') {
            std::printf("%s=%s\n", argv[i], reinterpret_cast<const char*>(getString(name)));
            continue;
        }
        if (argv[i][0] == 'P')
            programiv(GL_FRAGMENT_PROGRAM_ARB, name, values);
        else
            getIntegerv(name, values);
        std::printf("%s=%d\n", argv[i], values[0]);
    }
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WithoutOpenCL(const std::string& text) {
    return text.compare(0, 7, "OpenCL ") == 0 ? text.substr(7) : text;
}

// The report's lines of the GPU devices of every platform, in the loader's order:
// versions without "OpenCL ", and the CUDA version that a platform's version such
// as "OpenCL 1.1 CUDA 4.2.1" names.
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
        const std::string version = WithoutOpenCL(text);
        const size_t cuda = version.find(" CUDA ");
        if (clGetDeviceIDs(platforms[p], CL_DEVICE_TYPE_GPU, 16, devices, &count) != CL_SUCCESS)
            count = 0;
        for (cl_uint d = 0; d < count; ++d, ++gpus) {
            const auto line = [&](const char* key, const std::string& value) {
                std::printf("clgpu[%d].%s=%s\n", gpus, key, value.c_str());
            };
            const auto device = [&](cl_device_info name) {
                char answer[4096] = "";
                clGetDeviceInfo(devices[d], name, sizeof answer - 1, answer, nullptr);
                return std::string(answer);
            };
            cl_uint vendor = 0;
            cl_ulong memory = 0;
            clGetDeviceInfo(devices[d], CL_DEVICE_VENDOR_ID, sizeof vendor, &vendor, nullptr);
            clGetDeviceInfo(devices[d], CL_DEVICE_GLOBAL_MEM_SIZE, sizeof memory, &memory, nullptr);
            line("CLPlatformVersion", Quoted(version.substr(0, cuda)));
            line("CUDASupported", cuda != std::string::npos ? "1" : "0");
            if (cuda != std::string::npos) line("CUDAVersion", Quoted(version.substr(cuda + 6)));
            line("CLDeviceVersion", Quoted(WithoutOpenCL(device(CL_DEVICE_VERSION))));
            line("CLMemoryMB", std::to_string(memory >> 20));
            line("CLName", Quoted(device(CL_DEVICE_NAME)));
            line("CLVendor", Quoted(device(CL_DEVICE_VENDOR)));
            line("CLVendorID", std::to_string(vendor));
            line("CLDriverVersion", Quoted(device(CL_DRIVER_VERSION)));
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
