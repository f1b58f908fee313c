#include "ReportModel.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#define TROVEX_QUERY(function, token) \
    { function, #token, token }

// The host's queries, in the order it reads them.
const std::vector<ExpectedHostQuery> kExpectedHostQueries = {
    TROVEX_QUERY("glGetString", GL_SHADING_LANGUAGE_VERSION),
    TROVEX_QUERY("glGetProgramivARB", GL_MAX_PROGRAM_INSTRUCTIONS_ARB),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_TEXTURE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_DRAW_BUFFERS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_UNIFORM_COMPONENTS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_FRAGMENT_UNIFORM_COMPONENTS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VARYING_FLOATS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_ATTRIBS),
    {"extension", "GL_ARB_VERTEX_PROGRAM", 198},
    {"extension", "GL_ARB_FRAGMENT_PROGRAM", 93},
    {"extension", "GL_ARB_VERTEX_SHADER", 199},
    {"extension", "GL_ARB_FRAGMENT_SHADER", 95},
    {"extension", "GL_EXT_FRAMEBUFFER_OBJECT", 255},
    {"extension", "GL_ARB_TEXTURE_RECTANGLE", 178},
    {"extension", "GL_ARB_TEXTURE_FLOAT", 170},
    {"extension", "GL_ARB_OCCLUSION_QUERY", 118},
    {"extension", "GL_ARB_VERTEX_BUFFER_OBJECT", 197},
    {"extension", "GL_ARB_SHADER_TEXTURE_LOD", 146},
};

namespace {

// The properties in the order the host reads them; CLCompute comes from its own
// tester.
const char kGLProperties[] =
    "GLVersion GLName GLMemoryMB GLVendor GLVendorID GLDriverVersion GLRectTextureSize GLRenderer "
    "GLRendererID HasGLNPOTSupport GLDriver GLDriverDate CanCompileProgramGLSL GLFrameBufferOK";
const char kCLProperties[] =
    "CLPlatformVersion CLDeviceVersion CLMemoryMB CLName CLVendor CLVendorID CLDriverVersion "
    "CUDASupported CUDAVersion CLBandwidth";

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return std::vector<std::string>(std::istream_iterator<std::string>(in), {});
}

std::string Tag(const char* kind, size_t index) {
    return std::string(kind) + "[" + std::to_string(index) + "]";
}

// The lines of one host query of one GPU.
ReportStep HostQueryStep(const ExpectedHostQuery& query, const std::string& tag) {
    const std::string function = query.function;
    const std::string name =
        (function == "extension" ? "Quelt::OGL::" : "") + std::string(query.name);
    ReportStep step{function == "glGetString" ? kNoIndex : kGPUStep, tag, {}};
    const bool program = function == "glGetProgramivARB";
    if (program)
        step.lines.push_back("gputag.GL_FRAGMENT_PROGRAM_ARB=" +
                             std::to_string(GL_FRAGMENT_PROGRAM_ARB));
    step.lines.push_back("gputag." + name + "=" + std::to_string(query.token));
    step.lines.push_back(tag + "." + function + (program ? "[GL_FRAGMENT_PROGRAM_ARB][" : "[") +
                         name + "]");
    return step;
}

bool OnTheClock(const std::string& stamp, std::time_t from, std::time_t to) {
    for (std::time_t second = from - 1; second <= to + 1; ++second) {
        std::tm local{};
        char text[32];
        localtime_r(&second, &local);
        std::strftime(text, sizeof text, "%Y-%m-%d_%H:%M:%S", &local);
        if (stamp == text) return true;
    }
    return false;
}

}  // namespace

std::vector<ReportStep> ReportSteps(const MachineShape& machine) {
    std::vector<ReportStep> steps{{kTopStep, "", {}}};
    const auto top = [&](const char* key) { steps.push_back({kTopStep, "", {key}}); };
    const auto each = [&](const char* kind, size_t count, const std::string& property) {
        for (size_t i = 0; i < count; ++i) {
            const bool silent = property == "CUDAVersion" && !machine.clCUDA[i];
            steps.push_back({kGPUStep, Tag(kind, i), {}});
            if (!silent) steps.back().lines.push_back(Tag(kind, i) + "." + property);
        }
    };
    if (machine.host) top("Tester");
    for (const char* key : {"trovexStart", "QueltCoreInitialized", "QueltOGLInitialized",
                            "OGLContextCreated", "NumGLGPUs"})
        top(key);
    for (const std::string& property : Words(kGLProperties))
        each("glgpu", machine.glGPUs, property);
    for (size_t q = 0; machine.host && q < kExpectedHostQueries.size(); ++q)
        for (int i = 0; i < machine.glGPUs; ++i)
            steps.push_back(HostQueryStep(kExpectedHostQueries[q], Tag("glgpu", i)));
    top("NumCLGPUs");
    for (const std::string& property : Words(kCLProperties))
        each("clgpu", machine.clCUDA.size(), property);
    if (machine.host) each("clgpu", machine.clCUDA.size(), "CLCompute");
    top("trovexEnd");
    steps.push_back({kTopStep, "", {}});
    return steps;
}

std::string Transcript(const std::string& out, const std::string& err, int status) {
    return out + "-- stderr\n" + err + "-- status " + std::to_string(status) + "\n";
}

std::string RunTranscript(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessOptions& options) {
    const std::time_t started = std::time(nullptr);
    const ProcessResult run = RunProcess(program, arguments, options);
    const std::time_t ended = std::time(nullptr);
    static const std::regex stamp("(trovexStart|trovexEnd)=\"([^\"\n]*)\"");
    std::string out;
    std::string::const_iterator done = run.out.begin();
    for (std::sregex_iterator m(run.out.begin(), run.out.end(), stamp), end; m != end; ++m) {
        const std::string time = (*m)[2];
        out.append(done, (*m)[0].first) +=
            (*m)[1].str() + "=\"" + (OnTheClock(time, started, ended) ? "TIME" : time) + "\"";
        done = (*m)[0].second;
    }
    return Transcript(out.append(done, run.out.end()), run.err, run.status);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
