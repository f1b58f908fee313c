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

// The host's queries, in the order it reads them. Each row is made from the token
// itself, so the name the report shows and the number asked cannot disagree.
#define TROVEX_GL_QUERY(kind, token) \
    { kind, #token, token }
#define TROVEX_EXTENSION(extension) \
    { kExtension, "Quelt::OGL::" #extension, Quelt::OGL::extension }

const Query kQueries[] = {
    TROVEX_GL_QUERY(kString, GL_SHADING_LANGUAGE_VERSION),
    TROVEX_GL_QUERY(kProgramv, GL_MAX_PROGRAM_INSTRUCTIONS_ARB),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_TEXTURE_UNITS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_TEXTURE_IMAGE_UNITS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_DRAW_BUFFERS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_VERTEX_UNIFORM_COMPONENTS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_FRAGMENT_UNIFORM_COMPONENTS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_VARYING_FLOATS),
    TROVEX_GL_QUERY(kIntegerv, GL_MAX_VERTEX_ATTRIBS),
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
