#include "VelmoraTester.h"

#include <memory>

#include "GPUTest.h"
#include "ReportLine.h"

namespace {

enum QueryKind { kString, kProgramv, kIntegerv, kExtension };

struct Query {
    QueryKind kind;
    const char* name;
    int number;
};

// The host's queries, in the order it reads them. The numbers are the OpenGL
// enumerants, and for the extensions the library's extension numbers.
const Query kQueries[] = {
    {kString, "GL_SHADING_LANGUAGE_VERSION", 35724},
    {kProgramv, "GL_MAX_PROGRAM_INSTRUCTIONS_ARB", 34977},
    {kIntegerv, "GL_MAX_TEXTURE_UNITS", 34018},
    {kIntegerv, "GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS", 35661},
    {kIntegerv, "GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS", 35660},
    {kIntegerv, "GL_MAX_TEXTURE_IMAGE_UNITS", 34930},
    {kIntegerv, "GL_MAX_DRAW_BUFFERS", 34852},
    {kIntegerv, "GL_MAX_VERTEX_UNIFORM_COMPONENTS", 35658},
    {kIntegerv, "GL_MAX_FRAGMENT_UNIFORM_COMPONENTS", 35657},
    {kIntegerv, "GL_MAX_VARYING_FLOATS", 35659},
    {kIntegerv, "GL_MAX_VERTEX_ATTRIBS", 34921},
    {kExtension, "Quelt::OGL::GL_ARB_VERTEX_PROGRAM", 198},
    {kExtension, "Quelt::OGL::GL_ARB_FRAGMENT_PROGRAM", 93},
    {kExtension, "Quelt::OGL::GL_ARB_VERTEX_SHADER", 199},
    {kExtension, "Quelt::OGL::GL_ARB_FRAGMENT_SHADER", 95},
    {kExtension, "Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT", 255},
    {kExtension, "Quelt::OGL::GL_ARB_TEXTURE_RECTANGLE", 178},
    {kExtension, "Quelt::OGL::GL_ARB_TEXTURE_FLOAT", 170},
    {kExtension, "Quelt::OGL::GL_ARB_OCCLUSION_QUERY", 118},
    {kExtension, "Quelt::OGL::GL_ARB_VERTEX_BUFFER_OBJECT", 197},
    {kExtension, "Quelt::OGL::GL_ARB_SHADER_TEXTURE_LOD", 146},
};

std::unique_ptr<GPUTest> MakeTest(const Query& query) {
    switch (query.kind) {
        case kString:
            return std::unique_ptr<GPUTest>(new GLStringTest(query.name, query.number));
        case kProgramv:
            return std::unique_ptr<GPUTest>(new ProgramvTest(query.name, query.number, 1));
        case kIntegerv:
            return std::unique_ptr<GPUTest>(new IntegervTest(query.name, query.number, 1));
        case kExtension:
            break;
    }
    return std::unique_ptr<GPUTest>(new ExtensionTest(query.name, query.number));
}

}  // namespace

VelmoraTester::~VelmoraTester() {}

void VelmoraTester::DoRunHeader() {
    Tester::DoRunHeader();
    ReportLine::Write("Tester=\"Velmora\"");
    Step();
}

// The copy is taken after the property tests, so a GPU they dropped gets no
// query lines; GPUs the queries drop are dropped from the tester too.
void VelmoraTester::DoRunGLTests() {
    Tester::DoRunGLTests();
    TaggedGPUList list = CopyGLGPUs();
    for (const Query& query : kQueries) RunTest(list, *MakeTest(query));
    AssignGLGPUs(list);
}

void VelmoraTester::DoRunCLTests() {
    Tester::DoRunCLTests();
    TaggedGPUList list = CopyCLGPUs();
    RunTest(list, TestFunc<VelmoraTester, CLGPU>(&VelmoraTester::TestCLCompute));
    AssignCLGPUs(list);
}

void VelmoraTester::TestCLCompute(const std::string& tag, CLGPU* gpu) {
    ReportLine::Write(tag + ".CLCompute=" + ReportLine::Real(gpu->GetCLCompute()));
    Step();
}
