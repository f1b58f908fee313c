#include <CL/cl.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ReportGrammar.h"
#include "ReportModel.h"

// The real program on this machine's drivers: its whole report, line by line,
// against one composed from the pinned order of the lines and the drivers' own
// answers, as the reference program gets them.
namespace {

typedef std::map<std::string, std::string> Answers;

const char kFakeOpenCL[] = "LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR;
const char kCPUAsGPU[] = "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu";

struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> environment;  // the probe's and the reference's
};

// PoCL's CPU device answered as a GPU, so that there are OpenCL lines; the loader
// alone, which has no GPU; and libpci unloadable, which changes nothing.
const Case kCases[] = {
    {{}, {kFakeOpenCL, kCPUAsGPU}},
    {{"-app=Velmora"}, {kFakeOpenCL, kCPUAsGPU}},
    {{"-app=Velmora"}, {}},
    {{}, {"LD_LIBRARY_PATH=" TROVEX_WITHOUT_LIBPCI ":" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WithoutOpenCL(const std::string& text) {
    return text.compare(0, 7, "OpenCL ") == 0 ? text.substr(7) : text;
}

Answers AskDrivers(const ProcessOptions& options) {
    std::vector<std::string> queries{"i" + std::to_string(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB)};
    for (const ExpectedHostQuery& query : kExpectedHostQueries) {
        const std::string function = query.function;
        if (function == "glGetIntegerv" || function == "glGetProgramivARB")
            queries.push_back((function == "glGetIntegerv" ? "i" : "p") +
                              std::to_string(query.token));
    }
    Answers answers;
    for (const std::string& line : Lines(RunProcess(TROVEX_DRIVER_REFERENCE, queries, options).out))
        answers[KeyOf(line)] = line.substr(line.find('=') + 1);
    return answers;
}

// The values of the report's keys (of the OpenGL GPU's keys, without the tag). This
// machine has no PCI display controller, so the software device gets the record of
// an adapter nothing is known about.
Answers ReportValues(Answers& a) {
    Answers v = {{"Tester", "\"Velmora\""},    {"trovexStart", "\"TIME\""},
                 {"trovexEnd", "\"TIME\""},    {"QueltCoreInitialized", "1"},
                 {"QueltOGLInitialized", "1"}, {"OGLContextCreated", "1"},
                 {"NumGLGPUs", "1"},           {"GLMemoryMB", "0"},
                 {"GLVendorID", "0"},          {"GLRendererID", "0"},
                 {"GLDriverVersion", "\"?\""}, {"GLDriver", "\"?\""},
                 {"GLDriverDate", "\"?\""},    {"CanCompileProgramGLSL", "1"},
                 {"GLFrameBufferOK", "1"},     {"NumCLGPUs", a["CLGPUs"]}};
    const auto has = [&](const std::string& extension) {
        return a["GL_EXTENSIONS"].find(" " + extension + " ") != std::string::npos ? "1" : "0";
    };
    v["GLVersion"] =
        std::atof(a["GL_VERSION"].c_str()) >= 3 ? "\"3.0\"" : Quoted(a["GL_VERSION"].substr(0, 3));
    v["GLName"] = v["GLRenderer"] = Quoted(a["GL_RENDERER"]);
    v["GLVendor"] = Quoted(a["GL_VENDOR"]);
    v["GLRectTextureSize"] = a["i" + std::to_string(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB)];
    v["HasGLNPOTSupport"] = has("GL_ARB_texture_non_power_of_two");
    for (const ExpectedHostQuery& q : kExpectedHostQueries) {
        const std::string name = q.name, token = std::to_string(q.token);
        v["glGetString[" + name + "]"] = Quoted(a[name]);
        v["glGetIntegerv[" + name + "]"] = "[" + a["i" + token] + "]";
        v["glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][" + name + "]"] = "[" + a["p" + token] + "]";
        // The extension GL_ARB_TEXTURE_FLOAT is named GL_ARB_texture_float in the list.
        std::string listed = name;
        for (size_t i = 7; i < listed.size(); ++i) listed[i] = std::tolower(listed[i]);
        v["extension[Quelt::OGL::" + name + "]"] = has(listed);
    }
    for (int i = 0; i < std::atoi(a["CLGPUs"].c_str()); ++i) {
        const std::string tag = "clgpu[" + std::to_string(i) + "].";
        const auto device = [&](cl_device_info name) { return a[tag + std::to_string(name)]; };
        // A platform version such as "OpenCL 1.1 CUDA 4.2.1" names the CUDA version.
        const std::string platform = WithoutOpenCL(a[tag + "platform"]);
        const size_t cuda = platform.find(" CUDA ");
        v[tag + "CLPlatformVersion"] = Quoted(platform.substr(0, cuda));
        v[tag + "CUDASupported"] = cuda != std::string::npos ? "1" : "0";
        if (cuda != std::string::npos) v[tag + "CUDAVersion"] = Quoted(platform.substr(cuda + 6));
        v[tag + "CLDeviceVersion"] = Quoted(WithoutOpenCL(device(CL_DEVICE_VERSION)));
        v[tag + "CLMemoryMB"] =
            std::to_string(std::stoull(device(CL_DEVICE_GLOBAL_MEM_SIZE)) >> 20);
        v[tag + "CLName"] = Quoted(device(CL_DEVICE_NAME));
        v[tag + "CLVendor"] = Quoted(device(CL_DEVICE_VENDOR));
        v[tag + "CLVendorID"] = device(CL_DEVICE_VENDOR_ID);
        v[tag + "CLDriverVersion"] = Quoted(device(CL_DRIVER_VERSION));
        v[tag + "CLBandwidth"] = v[tag + "CLCompute"] = "0";
    }
    return v;
}

class ThisMachine : public testing::TestWithParam<Case> {};

TEST_P(ThisMachine, ReportHoldsTheDriversAnswersInThePinnedOrder) {
    ProcessOptions options;
    options.environment = GetParam().environment;
    Answers answers = AskDrivers(options);
    if (answers["EGLDevices"] != "1" || answers["Software"] != "1")
        GTEST_SKIP() << "the expected report is that of Mesa's software device alone";
    Answers values = ReportValues(answers);
    std::vector<bool> cuda;
    for (int i = 0; i < std::atoi(answers["CLGPUs"].c_str()); ++i)
        cuda.push_back(values["clgpu[" + std::to_string(i) + "].CUDASupported"] == "1");
    std::string report;
    for (const ReportStep& step : ReportSteps({1, cuda, !GetParam().arguments.empty()})) {
        for (const std::string& key : step.lines) {
            const std::string property = key.compare(0, 9, "glgpu[0].") == 0 ? key.substr(9) : key;
            report +=
                key + (key.find('=') == std::string::npos ? "=" + values[property] : "") + "\n";
        }
    }
    EXPECT_EQ(Transcript(report, "", 0),
              RunTranscript(TROVEX_BINARY, GetParam().arguments, options));
}

INSTANTIATE_TEST_SUITE_P(Cases, ThisMachine, testing::ValuesIn(kCases));

}  // namespace
