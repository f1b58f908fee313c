#include "Tester.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <functional>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "ExceptionLine.h"
#include "GPUTest.h"
#include "ReportLine.h"
#include "VLLogging/LogStatement.h"
#include "failure/FailRequirement.h"
#include "gpu/win/CreateHardwareImpl.h"
#include "platform/Platform.h"
#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_core/Library.h"
#include "quelt/quelt_ocl/Library"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/Library.h"
#include "quelt/quelt_ogl/OpenGL.h"

namespace {

// Runs one initialisation action and writes key=1 when it returned, key=0 when it
// raised; the reason goes to the log, and the run goes on either way.
void RunInitialization(const char* key, const char* failure, const std::function<void()>& action) {
    int ok = 0;
    try {
        action();
        ok = 1;
    } catch (const Quelt::LogicalException& e) {
        TROVEX_LOG(failure << ": " << NullToText(e.message()));
    } catch (...) {
        TROVEX_LOG(failure);
    }
    ReportLine::Write(key + std::to_string(ok));
}

// The first count values of a query's buffer, the part the report shows.
std::vector<int> FirstValues(const std::vector<GLint>& values, int count) {
    size_t shown = std::min(values.size(), static_cast<size_t>(std::max(count, 0)));
    return std::vector<int>(values.begin(), values.begin() + shown);
}

// Writes countKey and the number of GPUs, then tags each GPU for its report lines.
template <typename G>
TaggedGPUList CountAndTagGPUs(const char* countKey, const char* kind,
                              const std::vector<boost::shared_ptr<G> >& gpus) {
    ReportLine::Write(countKey + std::to_string(gpus.size()));
    TaggedGPUList list;
    for (size_t i = 0; i < gpus.size(); ++i)
        list.push_back(TaggedGPU(kind + ("[" + std::to_string(i) + "]"), gpus[i]));
    return list;
}

}  // namespace

Tester::Tester()
    : clAvailable(false), failAfter(-1), stepCount(0), throwAfter(-1), failureCount(0) {}

Tester::~Tester() {}

void Tester::Run() {
    stepCount = 0;
    DoRunHeader();
    WriteMarker("trovexStart");
    DoRunQueltCoreInitialize();
    DoRunQueltOGLInitialize();
    DoRunOGLContextCreate();
    DoRunGetGLGPUs();
    DoRunGLTests();
    DoRunQueltOCLInitialize();
    if (clAvailable) {
        DoRunGetCLGPUs();
        DoRunCLTests();
    }
    WriteMarker("trovexEnd");
    DoRunFooter();
}

void Tester::Step() {
    int32_t index = stepCount;
    stepCount = index + 1;
    // Unsigned on purpose: -1, the default, and every other negative count compare as
    // huge and never fire, while throwAfter compares for equality only.
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(failAfter))
        ProgrammedFailure();
    else if (index == throwAfter)
        throw std::runtime_error("Programmed throw");
}

void Tester::DoRunHeader() { Step(); }

void Tester::DoRunQueltCoreInitialize() {
    RunInitialization("QueltCoreInitialized=", "Quelt::Core::Library::initialize() failed",
                      [] { Quelt::Core::Library::initialize(); });
    Step();
}

void Tester::DoRunQueltOGLInitialize() {
    RunInitialization("QueltOGLInitialized=", "Quelt::OGL::Library::initialize() failed",
                      [] { Quelt::OGL::Library::initialize(Quelt::OGL::Library::InitOptions()); });
    Step();
}

// The context only shows that one can be made; it is dropped at once.
void Tester::DoRunOGLContextCreate() {
    RunInitialization("OGLContextCreated=", "Cannot create default ContextOffscreen", [] {
        Quelt::OGL::ContextOffscreen context(Quelt::OGL::Context::PrimaryDisplayDevice());
    });
    Step();
}

void Tester::DoRunGetGLGPUs() {
    const GPUImplPtr impl = CreateHardwareImpl();
    glGPUs = CountAndTagGPUs("NumGLGPUs=", "glgpu", impl->GetGPUs());
    Step();
}

void Tester::DoRunGetCLGPUs() {
    const GPUImplPtr impl = CreateHardwareImpl();
    clGPUs = CountAndTagGPUs("NumCLGPUs=", "clgpu", impl->GetCLGPUs());
    Step();
}

// Property-major: every GPU gets one property before any gets the next.
void Tester::DoRunGLTests() {
    typedef TestFunc<Tester, GLGPU> GLTest;
    const GLTest::StepFunction steps[] = {
        &Tester::TestGLVersion,
        &Tester::TestGLName,
        &Tester::TestGLMemoryMB,
        &Tester::TestGLVendor,
        &Tester::TestGLVendorID,
        &Tester::TestGLDriverVersion,
        &Tester::TestGLRectTextureSize,
        &Tester::TestGLRenderer,
        &Tester::TestGLRendererID,
        &Tester::TestHasGLNPOTSupport,
        &Tester::TestGLDriver,
        &Tester::TestGLDriverDate,
        &Tester::TestCanCompileProgramGLSL,
        &Tester::TestGLFrameBufferOK,
    };
    for (GLTest::StepFunction step : steps) RunTest(glGPUs, GLTest(step));
}

// The host reads the OpenCL lines in this order, which is not the order the
// steps are declared in.
void Tester::DoRunCLTests() {
    typedef TestFunc<Tester, CLGPU> CLTest;
    const CLTest::StepFunction steps[] = {
        &Tester::TestCLPlatformVersion, &Tester::TestCLDeviceVersion,
        &Tester::TestCLMemoryMB,        &Tester::TestCLName,
        &Tester::TestCLVendor,          &Tester::TestCLVendorID,
        &Tester::TestCLDriverVersion,   &Tester::TestCUDASupported,
        &Tester::TestCUDAVersion,       &Tester::TestCLBandwidth,
    };
    for (CLTest::StepFunction step : steps) RunTest(clGPUs, CLTest(step));
}

void Tester::DoRunQueltOCLInitialize() {
    clAvailable = Quelt::OCL::Library::isOpenCLAvailable(std::string());
    if (clAvailable) {
        TROVEX_LOG("DoRunQueltOCLInitialize: Quelt::OCL::Library::initialize();");
        Quelt::OCL::Library::initialize();
    }
}

void Tester::DoRunFooter() { Step(); }

void Tester::ProgrammedFailure() { throw std::runtime_error("programmed failure"); }

std::string Tester::TimeStamp() {
    std::tm local;
    if (!Platform::LocalTime64(Platform::Time64(), local))
        throw std::runtime_error("could not convert calendar time to local time");
    std::ostringstream text;
    text << std::setfill('0') << std::setw(4) << local.tm_year + 1900 << "-" << std::setw(2)
         << local.tm_mon + 1 << "-" << std::setw(2) << local.tm_mday << "_" << std::setw(2)
         << local.tm_hour << ":" << std::setw(2) << local.tm_min << ":" << std::setw(2)
         << local.tm_sec;
    return text.str();
}

void Tester::WriteMarker(const std::string& key) {
    ReportLine::Write(key + "=" + ReportLine::Quoted(TimeStamp()));
    Step();
}

void Tester::RunTest(TaggedGPUList& list, const GPUTest& test) {
    for (TaggedGPUList::iterator entry = list.begin(); entry != list.end();) {
        try {
            test.Run(*this, *entry);
            ++entry;
        } catch (...) {
            WriteErrorLine(DescribeCurrentException());
            TROVEX_LOG("Testing terminated for " << entry->first);
            CountFailure();
            entry = list.erase(entry);
        }
    }
}

void Tester::WriteProperty(const std::string& tag, const char* key, const std::string& value) {
    ReportLine::Write(tag + "." + key + "=" + value);
    Step();
}

void Tester::TestGLVersion(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLVersion", ReportLine::Quoted(gpu->GetVersion()));
}

void Tester::TestGLName(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLName", ReportLine::Quoted(gpu->GetName()));
}

void Tester::TestGLMemoryMB(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLMemoryMB", ReportLine::Unsigned(gpu->GetMemoryMB()));
}

void Tester::TestGLVendor(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLVendor", ReportLine::Quoted(gpu->GetVendor()));
}

void Tester::TestGLVendorID(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLVendorID", ReportLine::Unsigned(gpu->GetVendorID()));
}

void Tester::TestGLDriverVersion(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLDriverVersion", ReportLine::Quoted(gpu->GetDriverVersion()));
}

void Tester::TestGLRectTextureSize(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLRectTextureSize", ReportLine::Unsigned(gpu->GetGLRectTextureSize()));
}

void Tester::TestGLRenderer(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLRenderer", ReportLine::Quoted(gpu->GetGLRenderer()));
}

void Tester::TestGLRendererID(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLRendererID", ReportLine::Unsigned(gpu->GetGLRendererID()));
}

void Tester::TestHasGLNPOTSupport(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "HasGLNPOTSupport", ReportLine::Boolean(gpu->HasGLNPOTSupport()));
}

void Tester::TestGLDriver(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLDriver", ReportLine::Quoted(gpu->GetGLDriver()));
}

void Tester::TestGLDriverDate(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLDriverDate", ReportLine::Quoted(gpu->GetGLDriverDate()));
}

void Tester::TestCanCompileProgramGLSL(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "CanCompileProgramGLSL", ReportLine::Boolean(gpu->CanCompileProgramGLSL()));
}

void Tester::TestGLFrameBufferOK(const std::string& tag, GLGPU* gpu) {
    WriteProperty(tag, "GLFrameBufferOK", ReportLine::Boolean(gpu->GetGLFrameBufferOK()));
}

void Tester::TestCLPlatformVersion(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLPlatformVersion", ReportLine::Quoted(gpu->GetVersion()));
}

void Tester::TestCLName(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLName", ReportLine::Quoted(gpu->GetName()));
}

void Tester::TestCLMemoryMB(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLMemoryMB", ReportLine::Unsigned(gpu->GetMemoryMB()));
}

void Tester::TestCLVendor(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLVendor", ReportLine::Quoted(gpu->GetVendor()));
}

void Tester::TestCLVendorID(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLVendorID", ReportLine::Unsigned(gpu->GetVendorID()));
}

void Tester::TestCLDriverVersion(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLDriverVersion", ReportLine::Quoted(gpu->GetDriverVersion()));
}

void Tester::TestCUDASupported(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CUDASupported", ReportLine::Boolean(gpu->GetCUDASupported()));
}

// Written only for a CUDA platform that names its version; the step is taken
// either way, so the hooks count the same steps on every machine.
void Tester::TestCUDAVersion(const std::string& tag, CLGPU* gpu) {
    if (gpu->GetCUDASupported()) {
        std::string version = gpu->GetCUDAVersion();
        if (!version.empty())
            ReportLine::Write(tag + ".CUDAVersion=" + ReportLine::Quoted(version));
    }
    Step();
}

void Tester::TestCLBandwidth(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLBandwidth", ReportLine::Real(gpu->GetCLBandwidth()));
}

void Tester::TestCLDeviceVersion(const std::string& tag, CLGPU* gpu) {
    WriteProperty(tag, "CLDeviceVersion", ReportLine::Quoted(gpu->GetCLDeviceVersion()));
}

// The one host query that takes no step: the host's numbering of hook indices has
// none for it, and every later index depends on that.
void Tester::TestGLGetString(const std::string& tag, GLGPU* gpu, const char* name, int value) {
    ReportLine::Write(std::string("gputag.") + name + "=" + std::to_string(value));
    const char* text = gpu->GLGetString(value);
    ReportLine::Write(tag + ".glGetString[" + name + "]=" + ReportLine::Quoted(text));
}

void Tester::TestGLGetIntegerv(const std::string& tag, GLGPU* gpu, const char* name, int value,
                               int count) {
    // The buffer has room for the most any query answers; the report shows count.
    std::vector<GLint> values(std::max(count, kMaxGLQueryValues), 0);
    gpu->GLGetIntegerv(value, values.data());
    ReportLine::Write(std::string("gputag.") + name + "=" + std::to_string(value));
    ReportLine::Write(tag + ".glGetIntegerv[" + name +
                      "]=" + ReportLine::FormatValues(FirstValues(values, count)));
    Step();
}

void Tester::TestGLGetProgramivARB(const std::string& tag, GLGPU* gpu, const char* name, int value,
                                   int count) {
    std::vector<GLint> values(std::max(count, kMaxGLQueryValues), 0);
    ReportLine::Write("gputag.GL_FRAGMENT_PROGRAM_ARB=" + std::to_string(GL_FRAGMENT_PROGRAM_ARB));
    ReportLine::Write(std::string("gputag.") + name + "=" + std::to_string(value));
    gpu->GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, value, values.data());
    ReportLine::Write(tag + ".glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][" + name +
                      "]=" + ReportLine::FormatValues(FirstValues(values, count)));
    Step();
}

void Tester::TestExtension(const std::string& tag, GLGPU* gpu, const char* name, int extension) {
    ReportLine::Write(std::string("gputag.") + name + "=" + std::to_string(extension));
    bool supported = gpu->CheckExtension(static_cast<Quelt::OGL::OpenGLExtension>(extension));
    ReportLine::Write(tag + ".extension[" + name + "]=" + ReportLine::Boolean(supported));
    Step();
}
