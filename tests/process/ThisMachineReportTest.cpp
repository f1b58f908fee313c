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
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;  // the probe's and the reference's
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// PoCL's CPU device answered as a GPU, so that there are OpenCL lines; the loader
// alone, which has no GPU; and libpci unloadable, which changes nothing.
const Case kCases[] = {
    {"PoclAsGPU", {}, {kFakeOpenCL, kCPUAsGPU}},
    {"HostPoclAsGPU", {"-app=Velmora"}, {kFakeOpenCL, kCPUAsGPU}},
    {"HostLoaderAlone", {"-app=Velmora"}, {}},
    {"PoclAsGPUWithoutLibpci",
     {},
     {"LD_LIBRARY_PATH=" TROVEX_WITHOUT_LIBPCI ":" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The reference's question about an enumerant: glGetString ("S"), glGetIntegerv
// ("I") or glGetProgramivARB ("P").
std::string Question(const std::string& function, int token) {
    return function.substr(5, 1) + std::to_string(token);
}

// The value of each key of the report, by key or, where all GPUs share it, by
// the key without its tag. This machine has no PCI display controller, so the
// software device gets the record of an adapter nothing is known about; the
// OpenCL devices' lines are the reference's.
Answers ReportValues(Answers& a) {
    // clang-format off
    Answers v = a;
    v.insert({{"Tester", "\"Velmora\""}, {"trovexStart", "\"TIME\""}, {"trovexEnd", "\"TIME\""},
                 {"QueltCoreInitialized", "1"}, {"QueltOGLInitialized", "1"},
                 {"OGLContextCreated", "1"}, {"NumGLGPUs", "1"}, {"GLMemoryMB", "0"},
                 {"GLVendorID", "0"}, {"GLRendererID", "0"}, {"GLDriverVersion", "\"?\""},
                 {"GLDriver", "\"?\""}, {"GLDriverDate", "\"?\""}, {"CanCompileProgramGLSL", "1"},
                 {"GLFrameBufferOK", "1"}, {"NumCLGPUs", a["CLGPUs"]},
                 {"CLBandwidth", "0"}, {"CLCompute", "0"}});
    // clang-format on
    const auto gl = [&](const char* function, int token) { return a[Question(function, token)]; };
    const auto has = [&](const std::string& extension) {
        const std::string listed = " " + gl("glGetString", GL_EXTENSIONS) + " ";
        return listed.find(" " + extension + " ") != std::string::npos ? "1" : "0";
    };
    // The newest version the report tells is 3.0.
    const std::string version = gl("glGetString", GL_VERSION);
    v["GLVersion"] = Quoted(std::atof(version.c_str()) >= 3 ? "3.0" : version.substr(0, 3));
    v["GLName"] = v["GLRenderer"] = Quoted(gl("glGetString", GL_RENDERER));
    v["GLVendor"] = Quoted(gl("glGetString", GL_VENDOR));
    v["GLRectTextureSize"] = gl("glGetIntegerv", GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB);
    v["HasGLNPOTSupport"] = has("GL_ARB_texture_non_power_of_two");
    for (const ExpectedHostQuery& q : kExpectedHostQueries) {
        const std::string function = q.function, name = q.name;
        // Quelt::OGL::GL_ARB_TEXTURE_FLOAT is listed as GL_ARB_texture_float.
        std::string listed = name.substr(name.find("GL_"));
        for (size_t i = 7; i < listed.size(); ++i) listed[i] = std::tolower(listed[i]);
        const std::string answer = a[Question(function, q.token)];
        v[function + "[" + name + "]"] = function == "extension"     ? has(listed)
                                         : function == "glGetString" ? Quoted(answer)
                                                                     : "[" + answer + "]";
    }
    return v;
}

class ThisMachine : public testing::TestWithParam<Case> {};

TEST_P(ThisMachine, ReportHoldsTheDriversAnswersInThePinnedOrder) {
    ProcessOptions options;
    options.environment = GetParam().environment;
    std::vector<std::string> questions{
        Question("glGetIntegerv", GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB)};
    for (GLenum name : {GL_VENDOR, GL_RENDERER, GL_VERSION, GL_EXTENSIONS})
        questions.push_back(Question("glGetString", name));
    for (const ExpectedHostQuery& query : kExpectedHostQueries) {
        if (std::string(query.function) != "extension")
            questions.push_back(Question(query.function, query.token));
    }
    Answers a;
    for (const std::string& line :
         Lines(RunProcess(TROVEX_DRIVER_REFERENCE, questions, options).out))
        a[KeyOf(line)] = line.substr(line.find('=') + 1);
    if (a["EGLDevices"] != "1" ||
        a[Question("glGetString", GL_RENDERER)].compare(0, 8, "llvmpipe") != 0)
        GTEST_SKIP() << "the expected report is that of Mesa's software device alone";
    Answers values = ReportValues(a);
    std::vector<bool> cuda;
    for (int i = 0; i < std::atoi(a["CLGPUs"].c_str()); ++i)
        cuda.push_back(a["clgpu[" + std::to_string(i) + "].CUDASupported"] == "1");
    std::string report;
    for (const ReportStep& step : ReportSteps({1, cuda, !GetParam().arguments.empty()})) {
        for (const std::string& key : step.lines) {
            const std::string value =
                values.count(key) ? values[key] : values[key.substr(key.find('.') + 1)];
            report += key + (key.find('=') == std::string::npos ? "=" + value : "") + "\n";
        }
    }
    EXPECT_EQ(Transcript(report, "", 0),
              RunTranscript(TROVEX_BINARY, GetParam().arguments, options));
}

INSTANTIATE_TEST_SUITE_P(Cases, ThisMachine, testing::ValuesIn(kCases));

}  // namespace
