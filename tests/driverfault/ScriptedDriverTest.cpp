// The foundation library's capability answers on drivers other than this
// machine's: the fake EGL library, loaded by its path, answers the scripted
// version text and extension lists (see DriverFault.h) on a real Mesa context.
// The fake reads its faults once per process, so each row runs in a child
// process of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

namespace {

using namespace Quelt::OGL;

// Every capability, in the order of a row's answers: the versions, the
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

struct Row {
    const char* name;
    std::string fault;         // TROVEX_DRIVER_FAULT
    const char* capabilities;  // the versions, then the extensions: 1 where supported
};

void PrintTo(const Row& row, std::ostream* out) { *out << "\"" << row.fault << "\""; }

const std::string kVersion = "glGetString(GL_VERSION):text:";
const char kAll[] = "11111111 11111111111";

// clang-format off
const Row kRows[] = {
    {"ThisMachinesDriver", "", kAll},
    // Every version from its first release on, and texts of other drivers.
    {"Version11", kVersion + "1.1 Vendor", "00000000 11111111111"},
    {"Version12", kVersion + "1.2", "10000000 11111111111"},
    {"Version121", kVersion + "1.2.1", "11000000 11111111111"},
    {"Version13", kVersion + "1.3", "11100000 11111111111"},
    {"Version14", kVersion + "1.4.0 - Build 8.15.10.2900", "11110000 11111111111"},
    {"Version15", kVersion + "1.5", "11111000 11111111111"},
    {"Version2WithoutMinor", kVersion + "2 Vendor", "11111100 11111111111"},
    {"Version21", kVersion + "2.1 Mesa 22.3.6", "11111110 11111111111"},
    {"Version30", kVersion + "3.0 Mesa 22.3.6", kAll},
    {"Version33CoreProfile", kVersion + "3.3 (Core Profile) Mesa 22.3.6", kAll},
    {"Version46", kVersion + "4.6.0 NVIDIA 535.104.05", kAll},
    {"OpenGLES32", kVersion + "OpenGL ES 3.2 Mesa 22.3.6", kAll},
    // Before 3.0 the list is one text; blanks, repeats and longer names that
    // begin with a wanted one count for nothing, and its last name counts.
    {"ExtensionText", kVersion + "2.1;glGetString(GL_EXTENSIONS):text: GL_ARB_vertex_program  "
     "GL_ARB_fragment_program_shadow GL_ARB_occlusion GL_ARB_texture_float GL_ARB_texture_float "
     "GL_EXT_framebuffer_object", "11111110 00001000101"},
    {"MissingNameInTheText", kVersion + "2.1;glGetString(GL_EXTENSIONS):hide:"
     "GL_EXT_framebuffer_object", "11111110 11111111110"},
    {"NullText", kVersion + "2.1;glGetString(GL_EXTENSIONS):null", "11111110 00000000000"},
    // From 3.0 on it is read entry by entry, up to the last.
    {"ExtensionEntries", kVersion + "3.3;glGetIntegerv(GL_NUM_EXTENSIONS):answer:5;glGetStringi:"
     "text:GL_ARB_vertex_shader GL_ARB_occlusion GL_ARB_fragment_shader_extra "
     "GL_ARB_vertex_shader GL_ARB_texture_rectangle", "11111111 00000010010"},
    {"MissingEntry", "glGetStringi:hide:GL_ARB_vertex_program", "11111111 11111111011"},
    // A driver without glGetStringi gives the text at any version.
    {"TextWithoutStringi", kVersion + "3.3;eglGetProcAddress:hide:glGetStringi;"
     "glGetString(GL_EXTENSIONS):text:GL_ARB_texture_float GL_ARB_vertex_program",
     "11111111 00001000100"},
};
// clang-format on

// Runs in the child: a context of the library on the fake EGL library, its
// capabilities on standard error.
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
    std::fprintf(stderr, "%s;\n", answers.c_str());
    std::fflush(stderr);
    std::_Exit(0);
}

class ScriptedDriver : public testing::TestWithParam<Row> {};

TEST_P(ScriptedDriver, CapabilitiesFollowTheDriversAnswers) {
    EXPECT_EXIT(PrintCapabilities(GetParam().fault), testing::ExitedWithCode(0),
                std::string("capabilities: ") + GetParam().capabilities + " 0;");
}

INSTANTIATE_TEST_SUITE_P(Drivers, ScriptedDriver, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
