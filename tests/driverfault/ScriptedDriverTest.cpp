// The foundation library on drivers other than this machine's: its
// capability answers where the fake EGL library, loaded by its path, answers
// the scripted version text and extension lists (see DriverFault.h) on a real
// Mesa context, and its calls checked by the fake libraries against the rules
// of their API. The fake reads its faults once per process, so each row runs in
// a child process of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CaseTable.h"
#include "quelt/quelt_ocl/Device"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

// Every capability, in the order of a case's answers: the versions, the
// extensions, and one the library does not know.
const std::vector<std::vector<OpenGLExtension>> kCapabilities = {
    {OGL_VERSION_1_2, OGL_VERSION_1_2_1, OGL_VERSION_1_3, OGL_VERSION_1_4, OGL_VERSION_1_5,
     OGL_VERSION_2_0, OGL_VERSION_2_1, OGL_VERSION_3_0},
    {GL_ARB_FRAGMENT_PROGRAM, GL_ARB_FRAGMENT_SHADER, GL_ARB_OCCLUSION_QUERY,
     GL_ARB_SHADER_TEXTURE_LOD, GL_ARB_TEXTURE_FLOAT, GL_ARB_TEXTURE_NON_POWER_OF_TWO,
     GL_ARB_TEXTURE_RECTANGLE, GL_ARB_VERTEX_BUFFER_OBJECT, GL_ARB_VERTEX_PROGRAM,
     GL_ARB_VERTEX_SHADER, GL_EXT_FRAMEBUFFER_OBJECT},
    {static_cast<OpenGLExtension>(100)},
};

// Runs in the child: a context of the library on the fake EGL library, its
// capabilities and the number of display devices on standard error.
[[noreturn]] void PrintCapabilities(const std::string& fault) {
    setenv("TROVEX_DRIVER_FAULT", fault.c_str(), 1);
    Library::InitOptions options;
    options.driverLibrary = TROVEX_FAKE_EGL;
    Library::initialize(options);
    ContextOffscreen context(Context::PrimaryDisplayDevice());
    const ScopedContextWrapper scope;
    context.makeCurrent();
    const ExtensionManager* manager = ExtensionManager::Instance();
    if (manager == nullptr) std::_Exit(1);
    std::string answers = "capabilities:";
    for (const std::vector<OpenGLExtension>& group : kCapabilities) {
        answers += ' ';
        for (const OpenGLExtension capability : group) {
            answers += manager->isSupported(capability) ? '1' : '0';
        }
    }
    answers += ' ' + std::to_string(Context::numDisplayDevice());
    std::fprintf(stderr, "%s;\n", answers.c_str());
    std::fflush(stderr);
    std::_Exit(0);
}

// A case of capabilities.txt, which says what each field holds.
class ScriptedDriver : public testing::TestWithParam<CaseLines> {};

TEST_P(ScriptedDriver, CapabilitiesFollowTheDriversAnswers) {
    const std::vector<std::string>& expected = GetParam().words;
    EXPECT_EXIT(PrintCapabilities(GetParam().rest), testing::ExitedWithCode(0),
                "capabilities: " + expected[1] + " " + expected[2] + " 0 " + expected[3] + ";");
}

INSTANTIATE_CASE_TABLE(Drivers, ScriptedDriver, TROVEX_CAPABILITY_CASES, 4);

// Every device type the library names is one OpenCL defines: the program's
// runs ask for GPUs, and here all devices are asked for, PoCL's one CPU device.
TEST(CheckedDriver, EveryDeviceTypeIsOneOpenCLDefines) {
    ASSERT_TRUE(Quelt::OCL::Library::isOpenCLAvailable(TROVEX_FAKE_OPENCL));
    Quelt::OCL::Library::initialize();
    EXPECT_EQ(1u, Quelt::OCL::platforms().at(0).devices(Quelt::OCL::Device::All).size());
}

}  // namespace
