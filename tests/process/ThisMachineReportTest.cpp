#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
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

const char kCPUAsGPU[] = "TROVEX_DRIVER_FAULT=clGetDeviceIDs:gpu";

struct Case {
    const char* name;
    std::vector<std::string> arguments, environment;  // the environment of both programs
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// PoCL's CPU device answered as a GPU, so that there are OpenCL lines, and libpci
// unloadable, which changes nothing; the loader alone, which has no GPU; and an
// EGL whose rectangle texture size differs from its texture size, as Mesa's
// does not.
// clang-format off
const Case kCases[] = {
    {"PoclAsGPUWithoutLibpci", {},
     {"LD_LIBRARY_PATH=" TROVEX_WITHOUT_LIBPCI ":" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
    {"HostPoclAsGPU", {"-app=Velmora"}, {"LD_LIBRARY_PATH=" TROVEX_FAKE_OPENCL_DIR, kCPUAsGPU}},
    {"HostLoaderAlone", {"-app=Velmora"}, {}},
    {"RectangleOfItsOwn", {}, {"LD_LIBRARY_PATH=" TROVEX_FAKE_EGL_DIR,
     "TROVEX_DRIVER_FAULT=glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB):answer:4096"}},
};
// clang-format on

// Reads NAME=value lines into answers.
void Read(const std::string& text, Answers& answers) {
    for (const std::string& line : Lines(text))
        answers[KeyOf(line)] = line.substr(line.find('=') + 1);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The reference's question about an enumerant: glGetString ("S"), glGetIntegerv
// ("I") or glGetProgramivARB ("P").
std::string Question(const std::string& function, int token) {
    return function.substr(5, 1) + std::to_string(token);
}

// Adds to the drivers' answers the value of each key of the report, by key or,
// where every GPU has the same, by the key without its tag; this-machine.txt
// holds what the drivers do not decide. The OpenCL devices' lines are the
// reference's already.
void AddReportValues(Answers& a) {
    Read(ReadFile(TROVEX_PROCESS_DIR "/this-machine.txt"), a);
    a["NumCLGPUs"] = a["CLGPUs"];
    const auto gl = [&](const char* function, int token) { return a[Question(function, token)]; };
    // The list names the extension GL_ARB_TEXTURE_FLOAT as GL_ARB_texture_float.
    const auto has = [&](std::string name) {
        std::string list = " " + gl("glGetString", GL_EXTENSIONS) + " ";
        for (std::string* text : {&list, &name})
            std::transform(text->begin(), text->end(), text->begin(), ::tolower);
        return list.find(" " + name + " ") != std::string::npos ? "1" : "0";
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
}

class ThisMachine : public testing::TestWithParam<Case> {};

TEST_P(ThisMachine, ReportHoldsTheDriversAnswersInThePinnedOrder) {
    const ProcessOptions options{GetParam().environment, 0, ""};
    std::vector<std::string> questions{
        Question("glGetIntegerv", GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB)};
    for (GLenum name : {GL_VENDOR, GL_RENDERER, GL_VERSION, GL_EXTENSIONS})
        questions.push_back(Question("glGetString", name));
    for (const ExpectedHostQuery& query : kExpectedHostQueries) {
        if (std::string(query.function) != "extension")
            questions.push_back(Question(query.function, query.token));
    }
    Answers a;
    Read(RunProcess(TROVEX_DRIVER_REFERENCE, questions, options).out, a);
    // The expected report is that of Mesa's software device, which names itself in
    // its renderer; the Windows program (the Wine build of this test) loads no fake.
    if (a[Question("glGetString", GL_RENDERER)].compare(0, 8, "llvmpipe") != 0 ||
        (std::string(TROVEX_BINARY).find(".exe") != std::string::npos &&
         !options.environment.empty()))
        GTEST_SKIP() << "these are not the drivers the expected report is made for";
    AddReportValues(a);
    std::vector<bool> cuda;
    for (int i = 0; i < std::atoi(a["CLGPUs"].c_str()); ++i)
        cuda.push_back(a["clgpu[" + std::to_string(i) + "].CUDASupported"] == "1");
    // A program that finds no OpenCL writes no OpenCL line: the Wine build of the
    // x86 program (tests/wine/CMakeLists.txt says why).
    if (!TROVEX_PROGRAM_OPENCL) cuda.clear();
    std::string report;
    for (const ReportStep& step : ReportSteps(1, cuda, !GetParam().arguments.empty())) {
        for (const std::string& key : step.lines) {
            if (!TROVEX_PROGRAM_OPENCL && key == "NumCLGPUs") continue;
            const std::string value = a.count(key) ? a[key] : a[key.substr(key.find('.') + 1)];
            report += key + (key.find('=') == std::string::npos ? "=" + value : "") + "\n";
        }
    }
    EXPECT_EQ(Transcript(report, "", 0),
              RunTranscript(TROVEX_BINARY, GetParam().arguments, options));
}

INSTANTIATE_TEST_SUITE_P(Cases, ThisMachine, testing::ValuesIn(kCases));

}  // namespace
