// The driver work a probe cannot avoid, and nothing else: one offscreen context
// per display device, the same OpenGL queries, the same shader and framebuffer
// test, and the OpenCL enumeration. The probe's benchmark compares itself with
// this program to see what its own machinery costs.
#include <memory>
#include <vector>

#include "gpu/FramebufferTest.h"
#include "gpu/GLSLTestProgram.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

const GLenum kIntegerQueries[] = {GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB,
                                  34018,
                                  35661,
                                  35660,
                                  34930,
                                  34852,
                                  35658,
                                  35657,
                                  35659,
                                  34921};
const OpenGLExtension kCapabilities[] = {
    OGL_VERSION_3_0,
    OGL_VERSION_2_1,
    OGL_VERSION_2_0,
    OGL_VERSION_1_5,
    OGL_VERSION_1_4,
    OGL_VERSION_1_3,
    OGL_VERSION_1_2,
    GL_ARB_TEXTURE_NON_POWER_OF_TWO,
    GL_ARB_VERTEX_PROGRAM,
    GL_ARB_FRAGMENT_PROGRAM,
    GL_ARB_VERTEX_SHADER,
    GL_ARB_FRAGMENT_SHADER,
    GL_EXT_FRAMEBUFFER_OBJECT,
    GL_ARB_TEXTURE_RECTANGLE,
    GL_ARB_TEXTURE_FLOAT,
    GL_ARB_OCCLUSION_QUERY,
    GL_ARB_VERTEX_BUFFER_OBJECT,
    GL_ARB_SHADER_TEXTURE_LOD,
};

void AskOpenGL(Context& context) {
    ScopedContextWrapper scope;
    context.makeCurrent();
    ExtensionManager* extensions = ExtensionManager::Instance();
    for (OpenGLExtension capability : kCapabilities) extensions->isSupported(capability);
    for (GLenum name : {GL_VENDOR, GL_RENDERER, GL_SHADING_LANGUAGE_VERSION}) glGetString(name);
    GLint values[16] = {};
    for (GLenum name : kIntegerQueries) glGetIntegerv(name, values);
    extensions->table().glGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, 34977, values);

    LinkGLSLTestProgram();
    ClearTextureThroughFramebuffer();
}

void AskOpenCL() {
    if (!Quelt::OCL::Library::isOpenCLAvailable(std::string())) return;
    Quelt::OCL::Library::initialize();
    for (const Quelt::OCL::Platform& platform : Quelt::OCL::platforms()) {
        platform.version();
        for (const Quelt::OCL::Device& device : platform.devices(Quelt::OCL::Device::GPU)) {
            device.name();
            device.vendor();
            device.getInfo<cl_ulong>(Quelt::OCL::Enum::DeviceGlobalMemSize);
            device.getInfo<cl_uint>(Quelt::OCL::Enum::DeviceVendorId);
        }
    }
}

}  // namespace

int main() {
    Quelt::Core::Library::initialize();
    Library::initialize(Library::InitOptions());
    { ContextOffscreen primary(Context::PrimaryDisplayDevice()); }
    std::vector<std::unique_ptr<ContextOffscreen> > contexts;
    for (int i = 0; i < Context::numDisplayDevice(); ++i) {
        DISPLAY_DEVICEA device;
        Context::displayDevice(i, device);
        contexts.emplace_back(new ContextOffscreen(device));
    }
    for (const std::unique_ptr<ContextOffscreen>& context : contexts) AskOpenGL(*context);
    AskOpenCL();
    return 0;
}
