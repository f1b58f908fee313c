#include "ReportGrammar.h"

#include <algorithm>
#include <iterator>
#include <regex>

namespace {

// A double quote, the text, a double quote; inside the text a backslash or double
// quote has a backslash before it, and there is no control character. Checked by
// hand: a regex recurses once per character, and a driver's text may be a
// megabyte long.
bool IsQuotedText(const std::string& value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return false;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7F || c == '"') return false;
        if (c == '\\' && (++i + 1 == value.size() || (value[i] != '\\' && value[i] != '"')))
            return false;
    }
    return true;
}

}  // namespace

// Each alternative is a kind of line: its keys, then the value form they share.
bool IsReportLine(const std::string& line) {
    static const std::regex texts(
        R"((glgpu|clgpu)\[(0|[1-9]\d*)\]\.()"
        R"((GLVersion|GLName|GLVendor|GLDriverVersion|GLRenderer|GLDriver|GLDriverDate)"
        R"(|CLPlatformVersion|CLName|CLVendor|CLDriverVersion|CUDAVersion|CLDeviceVersion)))"
        R"(|glgpu\[(0|[1-9]\d*)\]\.glGetString\[GL_[A-Z0-9_]+\])");
    static const std::regex others(
        R"(Tester="Velmora"|(trovexStart|trovexEnd)="\d{4}-\d\d-\d\d_\d\d:\d\d:\d\d")"
        R"(|(QueltCoreInitialized|QueltOGLInitialized|OGLContextCreated)=[01])"
        R"(|(NumGLGPUs|NumCLGPUs)=(0|[1-9]\d*)|(glgpu|clgpu)\[(0|[1-9]\d*)\]\.()"
        R"((GLMemoryMB|GLVendorID|GLRectTextureSize|GLRendererID|CLMemoryMB|CLVendorID)=(0|[1-9]\d*))"
        R"(|(HasGLNPOTSupport|CanCompileProgramGLSL|GLFrameBufferOK|CUDASupported)=[01])"
        R"(|(CLBandwidth|CLCompute)=-?\d+(\.\d+)?(e[-+]\d+)?)|glgpu\[(0|[1-9]\d*)\]\.()"
        R"((glGetIntegerv|glGetProgramivARB\[GL_FRAGMENT_PROGRAM_ARB\])\[GL_[A-Z0-9_]+\]=)"
        R"(\[-?\d+(, -?\d+)*\]|extension\[Quelt::OGL::GL_[A-Z0-9_]+\]=[01]))"
        R"(|gputag\.(Quelt::OGL::)?GL_[A-Z0-9_]+=-?\d+)");
    const std::string key = KeyOf(line);
    if (key.size() < line.size() && std::regex_match(key, texts))
        return IsQuotedText(line.substr(key.size() + 1));
    return std::regex_match(line, others);
}

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

std::vector<std::string> LinesWithKeyPrefix(const std::vector<std::string>& lines,
                                            const std::string& prefix) {
    std::vector<std::string> found;
    std::copy_if(
        lines.begin(), lines.end(), std::back_inserter(found),
        [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; });
    return found;
}
