#include "ReportGrammar.h"

#include <algorithm>
#include <iterator>
#include <regex>

// Each alternative is a kind of line: its keys, then the value form they share.
bool IsReportLine(const std::string& line) {
    static const std::regex grammar(
        R"(Tester="Velmora"|(trovexStart|trovexEnd)="\d{4}-\d\d-\d\d_\d\d:\d\d:\d\d")"
        R"(|(QueltCoreInitialized|QueltOGLInitialized|OGLContextCreated)=[01])"
        R"(|(NumGLGPUs|NumCLGPUs)=(0|[1-9]\d*)|(glgpu|clgpu)\[(0|[1-9]\d*)\]\.()"
        R"((GLVersion|GLName|GLVendor|GLDriverVersion|GLRenderer|GLDriver|GLDriverDate)"
        R"(|CLPlatformVersion|CLName|CLVendor|CLDriverVersion|CUDAVersion|CLDeviceVersion))"
        R"(="[^\n]*"|(GLMemoryMB|GLVendorID|GLRectTextureSize|GLRendererID|CLMemoryMB)"
        R"(|CLVendorID)=(0|[1-9]\d*))"
        R"(|(HasGLNPOTSupport|CanCompileProgramGLSL|GLFrameBufferOK|CUDASupported)=[01])"
        R"(|(CLBandwidth|CLCompute)=-?\d+(\.\d+)?(e[-+]\d+)?)|glgpu\[(0|[1-9]\d*)\]\.()"
        R"(glGetString\[GL_[A-Z0-9_]+\]="[^\n]*")"
        R"(|(glGetIntegerv|glGetProgramivARB\[GL_FRAGMENT_PROGRAM_ARB\])\[GL_[A-Z0-9_]+\]=)"
        R"(\[-?\d+(, -?\d+)*\]|extension\[Quelt::OGL::GL_[A-Z0-9_]+\]=[01]))"
        R"(|gputag\.(Quelt::OGL::)?GL_[A-Z0-9_]+=-?\d+)");
    return std::regex_match(line, grammar);
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
