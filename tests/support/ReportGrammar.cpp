#include "ReportGrammar.h"

#include <regex>

namespace {

// Each alternative is a line kind: its keys, then the value form they share.
const std::regex& Grammar() {
    static const std::string tag = R"((glgpu|clgpu)\[(0|[1-9][0-9]*)\]\.)";
    static const std::string gl = R"(glgpu\[(0|[1-9][0-9]*)\]\.)";
    static const std::string quoted = R"("[^\n]*")", list = R"(\[-?[0-9]+(, -?[0-9]+)*\])";
    static const std::string name = "GL_[A-Z0-9_]+", extension = "Quelt::OGL::GL_[A-Z0-9_]+";
    static const std::regex grammar(
        R"(Tester="Velmora"|(trovexStart|trovexEnd)="[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}:[0-9]{2}:[0-9]{2}")"
        "|(QueltCoreInitialized|QueltOGLInitialized|OGLContextCreated)=[01]"
        "|(NumGLGPUs|NumCLGPUs)=(0|[1-9][0-9]*)|" +
        tag +
        "(GLVersion|GLName|GLVendor|GLDriverVersion|GLRenderer|GLDriver|GLDriverDate"
        "|CLPlatformVersion|CLName|CLVendor|CLDriverVersion|CUDAVersion|CLDeviceVersion)=" +
        quoted + "|" + tag +
        "(GLMemoryMB|GLVendorID|GLRectTextureSize|GLRendererID|CLMemoryMB|CLVendorID)"
        "=(0|[1-9][0-9]*)|" +
        tag + "(HasGLNPOTSupport|CanCompileProgramGLSL|GLFrameBufferOK|CUDASupported)=[01]|" + tag +
        R"((CLBandwidth|CLCompute)=-?[0-9]+(\.[0-9]+)?(e[-+][0-9]+)?|)" + gl + "glGetString\\[" +
        name + "\\]=" + quoted + "|" + gl + "glGetIntegerv\\[" + name + "\\]=" + list + "|" + gl +
        "glGetProgramivARB\\[GL_FRAGMENT_PROGRAM_ARB\\]\\[" + name + "\\]=" + list + "|" + gl +
        "extension\\[" + extension + "\\]=[01]|gputag\\.(" + name + "|" + extension + ")=-?[0-9]+");
    return grammar;
}

}  // namespace

const char* const kLogLinePattern =
    R"(# [0-9]{5}\.[0-9]{4}\.[0-9]{2}\.[0-9]{2}_[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}\(\+[0-9]{2}\.[0-9]{3}\) )";

bool IsReportLine(const std::string& line) { return std::regex_match(line, Grammar()); }

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

std::vector<std::string> LinesWithKeyPrefix(const std::vector<std::string>& lines,
                                            const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
    return found;
}
