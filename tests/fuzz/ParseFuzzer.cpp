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

// A question may fail as a failed requirement does, and in no other way.
template <typename Question>
void Ask(Question question) {
    try {
        question();
    } catch (const std::runtime_error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Most inputs fail somewhere; their lines on standard error would only slow the run.
    SetMessageSink([](const char*) {});
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse(std::string(reinterpret_cast<const char*>(data), size));
    // Printing walks the whole tree, empty places included, and must never fail.
    for (const char* name : {"glgpu", "clgpu", "gputag"}) {
        DataItemPtr item;
        if (parser.Lookup(name, item)) item->AsString();
    }
    DataItemPtr tags;
    DataItemEntries codes;
    if (parser.Lookup("gputag", tags) && tags->Type() == kMap) codes = tags->AsMap()->Entries();
    // The records are asked as the report's callers ask: with room for
    // kMaxGLQueryValues values, and extensions by the library's enumerators only.
    GLint values[kMaxGLQueryValues];
    for (const boost::shared_ptr<GLGPU>& gpu : result.GetGPUs()) {
        Ask([&] { gpu->CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM); });
        for (const DataItemEntry& code : codes) {
            if (!code.second || code.second->Type() != kInt) continue;
            const int number = code.second->AsInt();
            Ask([&] { gpu->GLGetString(number); });
            Ask([&] { gpu->GLGetIntegerv(number, values); });
            Ask([&] { gpu->GLGetProgramivARB(number, number, values); });
        }
    }
    return 0;
}
