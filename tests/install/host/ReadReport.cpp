// Reads a report through the installed reader and writes, as report lines, what
// the host gets from its records: one header is all it includes.
#include <GPUTrovex/dataitem/DescriptionParser.h>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::ifstream in(argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    DescriptionParser parser;
    GPUImplStatic records;
    if (!in || !parser.Parse(text.str(), records)) return 1;
    const GLGPUVec gpus = records.GetGPUs();
    std::cout << "NumGLGPUs=" << gpus.size() << "\n";
    for (size_t i = 0; i < gpus.size(); ++i) {
        const std::string tag = "glgpu[" + std::to_string(i) + "].";
        std::cout << tag << "GLRenderer=\"" << gpus[i]->GetGLRenderer() << "\"\n"
                  << tag
                  << "GLRectTextureSize=" << static_cast<uint32_t>(gpus[i]->GetGLRectTextureSize())
                  << "\n"
                  << tag << "glGetString[GL_SHADING_LANGUAGE_VERSION]=\""
                  << gpus[i]->GLGetString(GL_SHADING_LANGUAGE_VERSION) << "\"\n";
    }
    for (size_t i = 0; i < records.GetCLGPUs().size(); ++i)
        std::cout << "clgpu[" << i << "].CLName=\"" << records.GetCLGPUs()[i]->GetName() << "\"\n";
    return 0;
}
