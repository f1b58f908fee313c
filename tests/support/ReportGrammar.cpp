#include "ReportGrammar.h"

#include <algorithm>
#include <iterator>
#include <regex>
#include <tuple>

namespace {

// A double quote, the text, a double quote; inside the text a backslash or double
// quote has a backslash before it, and there is no control character. Checked by
// hand: a regex recurses once per character, and a driver's text may be a
// megabyte long. Gives what breaks the form, at its byte of the line (the value
// begins at byte start); empty where nothing does.
std::string QuotedTextFault(const std::string& line, size_t start) {
    const size_t end = line.size() - 1;
    if (end <= start || line[start] != '"' || line[end] != '"')
        return ": no double quote at each end";
    for (size_t i = start + 1; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        const std::string at = " at byte " + std::to_string(i);
        if (c < 0x20 || c == 0x7F) return ": control character" + at;
        if (c == '"') return ": double quote without a backslash" + at;
        if (c == '\\' && (++i == end || (line[i] != '\\' && line[i] != '"')))
            return ": backslash before neither backslash nor double quote" + at;
    }
    return "";
}

// A kind of line: the name of the value form its keys share, its keys, and that
// form (a quoted text's is checked by hand).
typedef std::tuple<std::string, std::regex, std::regex> LineKind;

const std::string kIndex = R"(\[(0|[1-9]\d*)\]\.)", kRecord = "(glgpu|clgpu)" + kIndex,
                  kGL = "glgpu" + kIndex;
const char kQuoted[] = "quoted text";

}  // namespace

testing::AssertionResult IsReportLine(const std::string& line) {
    // clang-format off
    static const LineKind kinds[] = {
        {kQuoted, std::regex(kRecord + "(GLVersion|GLName|GLVendor|GLDriverVersion|GLRenderer|GLDriver|GLDriverDate|CLPlatformVersion|CLName|CLVendor|CLDriverVersion|CUDAVersion|CLDeviceVersion)|" + kGL + R"(glGetString\[GL_[A-Z0-9_]+\])"), std::regex()},
        {"host name", std::regex("Tester"), std::regex(R"("Velmora")")},
        {"time stamp", std::regex("trovexStart|trovexEnd"), std::regex(R"("\d{4}-\d\d-\d\d_\d\d:\d\d:\d\d")")},
        {"flag", std::regex("QueltCoreInitialized|QueltOGLInitialized|OGLContextCreated|" + kRecord + "(HasGLNPOTSupport|CanCompileProgramGLSL|GLFrameBufferOK|CUDASupported)|" + kGL + R"(extension\[Quelt::OGL::GL_[A-Z0-9_]+\])"), std::regex("[01]")},
        {"number", std::regex("NumGLGPUs|NumCLGPUs|" + kRecord + "(GLMemoryMB|GLVendorID|GLRectTextureSize|GLRendererID|CLMemoryMB|CLVendorID)"), std::regex(R"(0|[1-9]\d*)")},
        {"real number", std::regex(kRecord + "(CLBandwidth|CLCompute)"), std::regex(R"(-?\d+(\.\d+)?(e[-+]\d+)?)")},
        {"value list", std::regex(kGL + R"((glGetIntegerv|glGetProgramivARB\[GL_FRAGMENT_PROGRAM_ARB\])\[GL_[A-Z0-9_]+\])"), std::regex(R"(\[-?\d+(, -?\d+)*\])")},
        {"token", std::regex(R"(gputag\.(Quelt::OGL::)?GL_[A-Z0-9_]+)"), std::regex(R"(-?\d+)")},
    };
    // clang-format on
    const std::string key = KeyOf(line), value = line.substr(std::min(line.size(), key.size() + 1));
    for (const auto& [form, keys, valueForm] : kinds) {
        if (!std::regex_match(key, keys)) continue;
        const std::string fault = form == kQuoted ? QuotedTextFault(line, key.size() + 1) : "";
        if (fault.empty() && (form == kQuoted || std::regex_match(value, valueForm)))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << form << " form of " << key << fault << " in the line " << line;
    }
    return testing::AssertionFailure()
           << "no line kind has the key " << key << " in the line " << line;
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
