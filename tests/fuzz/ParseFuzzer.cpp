// Feeds arbitrary bytes to the description reader. Whatever they hold, reading must
// end without a crash, a leak, a hang or a write past a buffer, and the records it
// gives must answer their questions soundly.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "dataitem/DataItemMap.h"
#include "dataitem/DescriptionParser.h"
#include "failure/FailRequirement.h"
#include "gpu/GPU.h"

namespace {

// Most inputs fail somewhere; their lines on standard error would only slow the run.
void DropMessage(const char*) {}

// Asks a record the OpenGL query questions under code, as the report's callers do:
// with room for kMaxGLQueryValues values.
void AskQueries(GLGPU& gpu, int code) {
    GLint values[kMaxGLQueryValues];
    try {
        gpu.GLGetString(code);
    } catch (const std::runtime_error&) {
    }
    try {
        gpu.GLGetIntegerv(code, values);
    } catch (const std::runtime_error&) {
    }
    try {
        gpu.GLGetProgramivARB(code, code, values);
    } catch (const std::runtime_error&) {
    }
}

// Extension questions take the library's enumerators only, never any number.
void AskExtensions(GLGPU& gpu) {
    for (Quelt::OGL::OpenGLExtension extension :
         {Quelt::OGL::OGL_VERSION_1_2, Quelt::OGL::GL_ARB_VERTEX_PROGRAM,
          Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT}) {
        try {
            gpu.CheckExtension(extension);
        } catch (const std::runtime_error&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetMessageSink(DropMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse(std::string(reinterpret_cast<const char*>(data), size));
    // Printing walks the whole tree, empty places included, and must never fail.
    for (const char* name : {"glgpu", "clgpu", "gputag"}) {
        DataItemPtr item;
        if (parser.Lookup(name, item)) item->AsString();
    }
    DataItemPtr tags;
    const bool hasTags = parser.Lookup("gputag", tags) && tags->Type() == kMap;
    for (const boost::shared_ptr<GLGPU>& gpu : result.GetGPUs()) {
        gpu->GetName();
        gpu->GetMemoryMB();
        AskExtensions(*gpu);
        if (!hasTags) continue;
        for (const DataItemEntry& tag : tags->AsMap()->Entries()) {
            if (tag.second && tag.second->Type() == kInt) AskQueries(*gpu, tag.second->AsInt());
        }
    }
    for (const boost::shared_ptr<CLGPU>& gpu : result.GetCLGPUs()) gpu->GetCLBandwidth();
    return 0;
}
