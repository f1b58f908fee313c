// A host program as hosts write them: it has a gpu/GPU.h of its own, includes
// GLEW after the reader (GLEW refuses to come after GL/gl.h), and keeps the
// reader's failure lines off its standard error. It reads the report it is given
// and writes, as report lines, what the host gets from its records; then it reads
// a text the reader fails on and writes the line the reader gave as a comment.
// The order of these includes is the host's.
// clang-format off
#include "gpu/GPU.h"
#include <GPUTrovex/dataitem/DescriptionParser.h>
#include <GPUTrovex/failure/FailRequirement.h>
#include <GL/glew.h>
// clang-format on

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string messages;

void Collect(const char* text) { messages += "# reader: " + std::string(text) + "\n"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    SetMessageSink(Collect);
    std::ifstream in(argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    DescriptionParser parser;
    GPUImplStatic records;
    if (!in || !parser.Parse(text.str(), records)) return 1;
    const GLGPUVec gpus = records.GetGPUs();
    std::cout << "NumGLGPUs=" << gpus.size() << "\n";
    for (size_t i = 0; i < gpus.size(); ++i) {
        const HostGPU gpu{gpus[i]->GLGetString(GL_SHADING_LANGUAGE_VERSION)};
        const std::string tag = "glgpu[" + std::to_string(i) + "].";
        std::cout << tag << "GLRenderer=\"" << gpus[i]->GetGLRenderer() << "\"\n"
                  << tag
                  << "GLRectTextureSize=" << static_cast<uint32_t>(gpus[i]->GetGLRectTextureSize())
                  << "\n"
                  << tag << "glGetString[GL_SHADING_LANGUAGE_VERSION]=\"" << gpu.shadingLanguage
                  << "\"\n";
    }
    for (size_t i = 0; i < records.GetCLGPUs().size(); ++i)
        std::cout << "clgpu[" << i << "].CLName=\"" << records.GetCLGPUs()[i]->GetName() << "\"\n";
    if (parser.Parse("glgpu[0].NoSuchName=1", records)) return 1;
    std::cout << messages;
    return 0;
}
