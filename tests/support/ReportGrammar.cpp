#include "ReportGrammar.h"

#include <regex>

namespace {

const std::string kTag = R"((glgpu|clgpu)\[(0|[1-9][0-9]*)\])";
const std::string kQuoted = R"("[^\n]*")";
const std::string kUnsigned = R"((0|[1-9][0-9]*))";
const std::string kBoolean = "[01]";
const std::string kReal = R"(-?[0-9]+(\.[0-9]+)?(e[-+][0-9]+)?)";
const std::string kList = R"(\[-?[0-9]+(, -?[0-9]+)*\])";
const std::string kEnum = "GL_[A-Z0-9_]+";
const std::string kExtension = "Quelt::OGL::GL_[A-Z0-9_]+";

const std::regex& Grammar() {
    static const std::regex grammar(
        "(Tester=\"Velmora\")"
        "|((trovexStart|trovexEnd)=\"[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}:[0-9]{2}:[0-9]{2}\")"
        "|((QueltCoreInitialized|QueltOGLInitialized|OGLContextCreated)=" +
        kBoolean +
        ")"
        "|((NumGLGPUs|NumCLGPUs)=" +
        kUnsigned +
        ")"
        "|(" +
        kTag +
        "\\.(GLVersion|GLName|GLVendor|GLDriverVersion|GLRenderer|GLDriver"
        "|GLDriverDate|CLPlatformVersion|CLName|CLVendor|CLDriverVersion|CUDAVersion"
        "|CLDeviceVersion)=" +
        kQuoted +
        ")"
        "|(" +
        kTag +
        "\\.(GLMemoryMB|GLVendorID|GLRectTextureSize|GLRendererID|CLMemoryMB"
        "|CLVendorID)=" +
        kUnsigned +
        ")"
        "|(" +
        kTag +
        "\\.(HasGLNPOTSupport|CanCompileProgramGLSL|GLFrameBufferOK"
        "|CUDASupported)=" +
        kBoolean +
        ")"
        "|(" +
        kTag + "\\.(CLBandwidth|CLCompute)=" + kReal +
        ")"
        "|(glgpu\\[[0-9]+\\]\\.glGetString\\[" +
        kEnum + "\\]=" + kQuoted +
        ")"
        "|(glgpu\\[[0-9]+\\]\\.glGetIntegerv\\[" +
        kEnum + "\\]=" + kList +
        ")"
        "|(glgpu\\[[0-9]+\\]\\.glGetProgramivARB\\[GL_FRAGMENT_PROGRAM_ARB\\]\\[" +
        kEnum + "\\]=" + kList +
        ")"
        "|(glgpu\\[[0-9]+\\]\\.extension\\[" +
        kExtension + "\\]=" + kBoolean +
        ")"
        "|(gputag\\.(" +
        kEnum + "|" + kExtension + ")=-?[0-9]+)");
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

std::vector<std::string> KeysWithPrefix(const std::vector<std::string>& lines,
                                        const std::string& prefix) {
    std::vector<std::string> keys;
    for (const std::string& line : LinesWithKeyPrefix(lines, prefix)) keys.push_back(KeyOf(line));
    return keys;
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    std::vector<std::string> found = LinesWithKeyPrefix(lines, key + "=");
    return found.size() == 1 ? found[0].substr(key.size() + 1) : "<" + key + " missing>";
}
