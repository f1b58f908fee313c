#include "ReferenceReport.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <regex>

#include "ReportGrammar.h"

namespace {

// Reads NAME=value lines into answers.
void Read(const std::string& text, Answers& answers) {
    for (const std::string& line : Lines(text))
        answers[KeyOf(line)] = line.substr(line.find('=') + 1);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WithoutOpenCL(const std::string& text) {
    return text.compare(0, 7, "OpenCL ") == 0 ? text.substr(7) : text;
}

// The reference's question about an enumerant: glGetString ("S"), glGetIntegerv
// ("I") or glGetProgramivARB ("P").
std::string Question(const std::string& function, int token) {
    return function.substr(5, 1) + std::to_string(token);
}

// clinfo --raw lists the platforms' properties first, in the loader's order;
// then, for each platform, a "[SUFFIX/*] CL_PLATFORM_NAME" line and its devices'
// properties as "[SUFFIX/i] NAME value". The report has the GPU devices, with
// versions without "OpenCL " and the CUDA version that a platform's version such
// as "OpenCL 1.1 CUDA 4.2.1" names.
void ReadClinfo(const std::string& listing, Answers& a) {
    static const std::regex property(R"((\[[^/]*/(\*|\d+)\])?\s+(\S+)\s+(.*))");
    std::vector<std::string> platformVersions;
    std::vector<std::pair<int, Answers>> devices;  // the platform's index, the properties
    int platform = -1;
    std::string device;  // the tag of the device being read
    for (const std::string& line : Lines(listing)) {
        std::smatch m;
        if (!std::regex_match(line, m, property)) continue;
        const std::string tag = m[1], name = m[3], value = m[4];
        if (tag.empty()) {
            if (name == "CL_PLATFORM_VERSION") platformVersions.push_back(value);
        } else if (m[2] == "*") {
            platform += name == "CL_PLATFORM_NAME";
            device.clear();
        } else {
            if (tag != device) devices.push_back({platform, {}});
            device = tag;
            devices.back().second[name] = value;
        }
    }
    int gpus = 0;
    for (auto& [platformIndex, d] : devices) {
        if (d["CL_DEVICE_TYPE"].find("GPU") == std::string::npos) continue;
        const std::string tag = "clgpu[" + std::to_string(gpus++) + "].";
        const std::string version = WithoutOpenCL(platformVersions.at(platformIndex));
        const size_t cuda = version.find(" CUDA ");
        a[tag + "CLPlatformVersion"] = Quoted(version.substr(0, cuda));
        a[tag + "CUDASupported"] = cuda != std::string::npos ? "1" : "0";
        if (cuda != std::string::npos) a[tag + "CUDAVersion"] = Quoted(version.substr(cuda + 6));
        a[tag + "CLDeviceVersion"] = Quoted(WithoutOpenCL(d["CL_DEVICE_VERSION"]));
        a[tag + "CLMemoryMB"] = std::to_string(
            std::strtoull(d["CL_DEVICE_GLOBAL_MEM_SIZE"].c_str(), nullptr, 10) >> 20);
        a[tag + "CLName"] = Quoted(d["CL_DEVICE_NAME"]);
        a[tag + "CLVendor"] = Quoted(d["CL_DEVICE_VENDOR"]);
        a[tag + "CLVendorID"] =
            std::to_string(std::strtoul(d["CL_DEVICE_VENDOR_ID"].c_str(), nullptr, 0));
        a[tag + "CLDriverVersion"] = Quoted(d["CL_DRIVER_VERSION"]);
    }
    a["NumCLGPUs"] = std::to_string(gpus);
}

}  // namespace

Answers AskDrivers(const std::string& reference, const std::string& valuesFile,
                   const ProcessOptions& options) {
    std::vector<std::string> questions{
        Question("glGetIntegerv", GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB)};
    for (GLenum name : {GL_VENDOR, GL_RENDERER, GL_VERSION, GL_EXTENSIONS})
        questions.push_back(Question("glGetString", name));
    for (const ExpectedHostQuery& query : kExpectedHostQueries)
        if (std::string(query.function) != "extension")
            questions.push_back(Question(query.function, query.token));
    Answers a;
    Read(ReadFile(valuesFile), a);
    Read(RunProcess(reference, questions, options).out, a);
    ReadClinfo(RunProcess("clinfo", {"--raw"}, options).out, a);
    return a;
}

std::vector<ReportStep> ExpectedSteps(Answers a, bool host) {
    const auto gl = [&](const char* function, int token) { return a[Question(function, token)]; };
    // The list names the extension GL_ARB_TEXTURE_FLOAT as GL_ARB_texture_float.
    const auto has = [&](const std::string& name) {
        const std::regex word("(^| )" + name + "( |$)", std::regex::icase);
        return std::regex_search(gl("glGetString", GL_EXTENSIONS), word) ? "1" : "0";
    };
    // The newest version the report tells is 3.0.
    const std::string version = gl("glGetString", GL_VERSION);
    a["GLVersion"] = Quoted(std::atof(version.c_str()) >= 3 ? "3.0" : version.substr(0, 3));
    a["GLName"] = a["GLRenderer"] = Quoted(gl("glGetString", GL_RENDERER));
    a["GLVendor"] = Quoted(gl("glGetString", GL_VENDOR));
    a["GLRectTextureSize"] = gl("glGetIntegerv", GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB);
    a["HasGLNPOTSupport"] = has("GL_ARB_texture_non_power_of_two");
    for (const ExpectedHostQuery& q : kExpectedHostQueries) {
        const std::string function = q.function, name = q.name;
        const std::string answer = a[Question(function, q.token)];
        a[function + "[" + name + "]"] = function == "extension"
                                             ? has(name.substr(name.find("GL_")))
                                         : function == "glGetString" ? Quoted(answer)
                                                                     : "[" + answer + "]";
    }
    std::vector<bool> cuda;
    for (int i = 0; i < std::atoi(a["NumCLGPUs"].c_str()); ++i)
        cuda.push_back(a["clgpu[" + std::to_string(i) + "].CUDASupported"] == "1");
    std::vector<ReportStep> steps = ReportSteps(1, cuda, host);
    for (ReportStep& step : steps)
        for (std::string& key : step.lines)
            if (key.find('=') == std::string::npos)
                key += "=" + (a.count(key) ? a[key] : a[key.substr(key.find('.') + 1)]);
    return steps;
}
