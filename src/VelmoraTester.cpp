#include "VelmoraTester.h"

#include <memory>

#include "GPUTest.h"
#include "HostQueries.h"
#include "ReportLine.h"

namespace {

std::unique_ptr<GPUTest> MakeTest(const HostQuery& query) {
    switch (query.kind) {
        case kHostString:
            return std::unique_ptr<GPUTest>(new GLStringTest(query.name, query.number));
        case kHostProgramiv:
            return std::unique_ptr<GPUTest>(
                new ProgramvTest(query.name, query.number, kHostQueryValues));
        case kHostIntegerv:
            return std::unique_ptr<GPUTest>(
                new IntegervTest(query.name, query.number, kHostQueryValues));
        case kHostExtension:
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
    for (const HostQuery& query : kHostQueries) RunTest(list, *MakeTest(query));
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
