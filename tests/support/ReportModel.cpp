#include "ReportModel.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

// A query's name and token are made from the header's token itself.
#define TROVEX_QUERY(function, token) \
    { function, #token, token }
#define TROVEX_EXTENSION(name, number) \
    { "extension", "Quelt::OGL::" #name, number }

// The host's queries, in the order it reads them.
const std::vector<ExpectedHostQuery> kExpectedHostQueries = {
    TROVEX_QUERY("glGetString", GL_SHADING_LANGUAGE_VERSION),
    TROVEX_QUERY("glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB]", GL_MAX_PROGRAM_INSTRUCTIONS_ARB),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_TEXTURE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_TEXTURE_IMAGE_UNITS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_DRAW_BUFFERS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_UNIFORM_COMPONENTS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_FRAGMENT_UNIFORM_COMPONENTS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VARYING_FLOATS),
    TROVEX_QUERY("glGetIntegerv", GL_MAX_VERTEX_ATTRIBS),
    TROVEX_EXTENSION(GL_ARB_VERTEX_PROGRAM, 198),
    TROVEX_EXTENSION(GL_ARB_FRAGMENT_PROGRAM, 93),
    TROVEX_EXTENSION(GL_ARB_VERTEX_SHADER, 199),
    TROVEX_EXTENSION(GL_ARB_FRAGMENT_SHADER, 95),
    TROVEX_EXTENSION(GL_EXT_FRAMEBUFFER_OBJECT, 255),
    TROVEX_EXTENSION(GL_ARB_TEXTURE_RECTANGLE, 178),
    TROVEX_EXTENSION(GL_ARB_TEXTURE_FLOAT, 170),
    TROVEX_EXTENSION(GL_ARB_OCCLUSION_QUERY, 118),
    TROVEX_EXTENSION(GL_ARB_VERTEX_BUFFER_OBJECT, 197),
    TROVEX_EXTENSION(GL_ARB_SHADER_TEXTURE_LOD, 146),
};

namespace {

// The properties in the order the host reads them; CLCompute comes from its own
// tester.
// clang-format off
const char* const kGLProperties[] = {
    "GLVersion", "GLName", "GLMemoryMB", "GLVendor", "GLVendorID", "GLDriverVersion",
    "GLRectTextureSize", "GLRenderer", "GLRendererID", "HasGLNPOTSupport", "GLDriver",
    "GLDriverDate", "CanCompileProgramGLSL", "GLFrameBufferOK"};
const char* const kCLProperties[] = {
    "CLPlatformVersion", "CLDeviceVersion", "CLMemoryMB", "CLName", "CLVendor", "CLVendorID",
    "CLDriverVersion", "CUDASupported", "CUDAVersion", "CLBandwidth"};
// clang-format on

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

std::vector<ReportStep> ReportSteps(int glGPUs, const std::vector<bool>& clCUDA, bool host) {
    std::vector<ReportStep> steps{{kTopStep, "", {}}};
    const auto top = [&](const char* key) { steps.push_back({kTopStep, "", {key}}); };
    const auto each = [&](const char* kind, size_t count, const std::string& property) {
        for (size_t i = 0; i < count; ++i) {
            const std::string tag = kind + ("[" + std::to_string(i) + "]");
            steps.push_back({kGPUStep, tag, {tag + "." + property}});
            if (property == "CUDAVersion" && !clCUDA[i]) steps.back().lines.clear();
        }
    };
    if (host) top("Tester");
    for (const char* key : {"trovexStart", "QueltCoreInitialized", "QueltOGLInitialized",
                            "OGLContextCreated", "NumGLGPUs"})
        top(key);
    for (const char* property : kGLProperties) each("glgpu", glGPUs, property);
    for (const ExpectedHostQuery& query :
         host ? kExpectedHostQueries : std::vector<ExpectedHostQuery>()) {
        const std::string function = query.function, name = query.name;
        each("glgpu", glGPUs, function + "[" + name + "]");
        for (size_t i = steps.size() - glGPUs; i < steps.size(); ++i) {
            std::vector<std::string>& lines = steps[i].lines;
            lines.insert(lines.begin(), "gputag." + name + "=" + std::to_string(query.token));
            if (function.compare(0, 17, "glGetProgramivARB") == 0)
                lines.insert(lines.begin(), "gputag.GL_FRAGMENT_PROGRAM_ARB=" +
                                                std::to_string(GL_FRAGMENT_PROGRAM_ARB));
            // The host's numbering of the hooks' steps has no index for the text query.
            if (function == "glGetString") steps[i].kind = kNoIndex;
        }
    }
    top("NumCLGPUs");
    for (const char* property : kCLProperties) each("clgpu", clCUDA.size(), property);
    if (host) each("clgpu", clCUDA.size(), "CLCompute");
    top("trovexEnd");
    steps.push_back({kTopStep, "", {}});
    return steps;
}

std::string Transcript(const std::string& out, const std::string& err, int status) {
    return out + "-- stderr\n" + err +
           (status < 0 ? "-- signal " + std::to_string(-status)
                       : "-- status " + std::to_string(status)) +
           "\n";
}

std::string ExpectedRun(const std::vector<ReportStep>& steps, bool failAfter, int n) {
    std::string out, err;
    std::set<std::string> dropped;
    int index = 0;
    for (const ReportStep& step : steps) {
        if (dropped.count(step.tag) != 0) continue;
        for (const std::string& line : step.lines) out += line + "\n";
        // -failAfter=N fails every step from N on, -throwAfter=N step N alone.
        if (step.kind == kNoIndex || (failAfter ? index++ < n : index++ != n)) continue;
        err += failAfter ? "exception: programmed failure\n" : "exception: Programmed throw\n";
        if (step.kind == kTopStep) return Transcript(out, err, 2);
        dropped.insert(step.tag);
    }
    return Transcript(out, err, err.empty() ? 0 : 2);
}

std::string RunTranscript(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessOptions& options) {
    const bool windows = program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0;
    std::vector<std::string> command = arguments;
    if (windows) command.insert(command.begin(), program);
    const std::time_t started = std::time(nullptr);
    ProcessResult run = RunProcess(windows ? TROVEX_WINE : program, command, options);
    const std::time_t ended = std::time(nullptr);
    // The Windows program ends its lines with CR LF, which read as line feeds here; a
    // line feed alone reads as "(LF)".
    for (std::string* text : {&run.out, &run.err}) {
        if (!windows) break;
        *text = std::regex_replace(std::regex_replace(*text, std::regex("\n"), "(LF)\n"),
                                   std::regex("\r\\(LF\\)"), "");
    }
    for (const std::string key : {"trovexStart=\"", "trovexEnd=\""}) {
        const size_t at = run.out.find(key), begin = at + key.size();
        const size_t length = run.out.find('"', begin) - begin;
        if (at != std::string::npos && OnTheClock(run.out.substr(begin, length), started, ended))
            run.out.replace(begin, length, "TIME");
    }
    return Transcript(run.out, run.err, run.signal != 0 ? -run.signal : run.status);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
