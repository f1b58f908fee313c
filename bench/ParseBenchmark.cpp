// Times the description reader on generated reports of 1, 10 and 100 GPUs and prints the
// time per kilobyte at each size. Reading is linear when the figures stay flat.
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "dataitem/DescriptionParser.h"
#include "gpu/GPU.h"

namespace {

struct Tag {
    const char* name;
    int code;
};

const Tag kIntegerv[] = {{"GL_MAX_TEXTURE_UNITS", 34018},
                         {"GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS", 35661},
                         {"GL_MAX_VERTEX_TEXTURE_IMAGE_UNITS", 35660},
                         {"GL_MAX_TEXTURE_IMAGE_UNITS", 34930},
                         {"GL_MAX_DRAW_BUFFERS", 34852},
                         {"GL_MAX_VERTEX_UNIFORM_COMPONENTS", 35658},
                         {"GL_MAX_FRAGMENT_UNIFORM_COMPONENTS", 35657},
                         {"GL_MAX_VARYING_FLOATS", 35659},
                         {"GL_MAX_VERTEX_ATTRIBS", 34921}};

const Tag kExtensions[] = {{"Quelt::OGL::GL_ARB_VERTEX_PROGRAM", 198},
                           {"Quelt::OGL::GL_ARB_FRAGMENT_PROGRAM", 93},
                           {"Quelt::OGL::GL_ARB_VERTEX_SHADER", 199},
                           {"Quelt::OGL::GL_ARB_FRAGMENT_SHADER", 95},
                           {"Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT", 255},
                           {"Quelt::OGL::GL_ARB_TEXTURE_RECTANGLE", 178},
                           {"Quelt::OGL::GL_ARB_TEXTURE_FLOAT", 170},
                           {"Quelt::OGL::GL_ARB_OCCLUSION_QUERY", 118},
                           {"Quelt::OGL::GL_ARB_VERTEX_BUFFER_OBJECT", 197},
                           {"Quelt::OGL::GL_ARB_SHADER_TEXTURE_LOD", 146}};

// A host tester's report: each step writes its line for every GPU before the next step.
std::string Report(int gpus) {
    std::ostringstream text;
    text << "Tester=\"Velmora\"\ntrovexStart=\"2026-12-04_09:05:07\"\nQueltCoreInitialized=1\n"
         << "QueltOGLInitialized=1\nOGLContextCreated=1\nNumGLGPUs=" << gpus << "\n";
    const char* properties[] = {"GLVersion=\"4.5 (Compatibility Profile) Mesa 22.3.6\"",
                                "GLName=\"llvmpipe (LLVM 15.0.6, 256 bits)\"",
                                "GLMemoryMB=4294967295",
                                "GLVendor=\"Mesa/X.org\"",
                                "GLVendorID=4318",
                                "GLDriverVersion=\"30.0.14023.3004\"",
                                "GLRectTextureSize=16384",
                                "GLRenderer=\"llvmpipe (LLVM 15.0.6, 256 bits)\"",
                                "GLRendererID=8710",
                                "HasGLNPOTSupport=1",
                                "GLDriver=\"nvd3dum.dll,nvwgf2um.dll\"",
                                "GLDriverDate=\"20220118000000.000000-000\"",
                                "CanCompileProgramGLSL=1",
                                "GLFrameBufferOK=1"};
    for (const char* property : properties) {
        for (int i = 0; i < gpus; ++i) text << "glgpu[" << i << "]." << property << "\n";
    }
    for (int i = 0; i < gpus; ++i) {
        text << "gputag.GL_SHADING_LANGUAGE_VERSION=35724\nglgpu[" << i
             << "].glGetString[GL_SHADING_LANGUAGE_VERSION]=\"4.50\"\n";
    }
    for (int i = 0; i < gpus; ++i) {
        text << "gputag.GL_FRAGMENT_PROGRAM_ARB=34820\ngputag.GL_MAX_PROGRAM_INSTRUCTIONS_ARB="
                "34977\n"
             << "glgpu[" << i << "].glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB]"
             << "[GL_MAX_PROGRAM_INSTRUCTIONS_ARB]=[16384]\n";
    }
    for (const Tag& tag : kIntegerv) {
        for (int i = 0; i < gpus; ++i) {
            text << "gputag." << tag.name << "=" << tag.code << "\nglgpu[" << i
                 << "].glGetIntegerv[" << tag.name << "]=[16]\n";
        }
    }
    for (const Tag& tag : kExtensions) {
        for (int i = 0; i < gpus; ++i) {
            text << "gputag." << tag.name << "=" << tag.code << "\nglgpu[" << i << "].extension["
                 << tag.name << "]=1\n";
        }
    }
    text << "trovexEnd=\"2026-12-04_09:05:09\"\n";
    return text.str();
}

}  // namespace

int main() {
    std::printf("%6s %10s %8s %10s\n", "GPUs", "KB", "runs", "us per KB");
    for (int gpus : {1, 10, 100}) {
        const std::string text = Report(gpus);
        const double kilobytes = text.size() / 1024.0;
        DescriptionParser parser;
        if (parser.Parse(text).GetGPUs().size() != static_cast<size_t>(gpus)) {
            std::fprintf(stderr, "the generated report of %d GPUs did not read back\n", gpus);
            return 1;
        }
        // Repeat until the run is long enough for the clock to be fair to small reports.
        typedef std::chrono::steady_clock Clock;
        const Clock::time_point start = Clock::now();
        int runs = 0;
        std::chrono::duration<double, std::micro> elapsed(0);
        do {
            parser.Parse(text);
            ++runs;
            elapsed = Clock::now() - start;
        } while (elapsed.count() < 500000.0);
        std::printf("%6d %10.1f %8d %10.2f\n", gpus, kilobytes, runs,
                    elapsed.count() / runs / kilobytes);
    }
    return 0;
}
