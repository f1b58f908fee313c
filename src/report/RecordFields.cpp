#include "report/RecordFields.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "HostQueries.h"
#include "ReportLine.h"
#include "gpu/GPU.h"
#include "gpu/GPUProperties.h"

namespace {

// The declared type of every property: it decides the value form of its field.
namespace PropertyType {
#define TROVEX_PROPERTY_TYPE(Name, Type, Query) typedef Type Name;
TROVEX_GL_PROPERTIES(TROVEX_PROPERTY_TYPE)
TROVEX_CL_PROPERTIES(TROVEX_PROPERTY_TYPE)
#undef TROVEX_PROPERTY_TYPE
}  // namespace PropertyType

typedef std::vector<std::string> Path;

RecordField Field(const Path& path, const std::string& value) {
    return RecordField{path, {}, ReportLine::Quoted(value), JsonString(value)};
}

// A back end may answer a text query with null; the report shows it empty.
RecordField Field(const Path& path, const char* value) {
    return RecordField{
        path, {}, ReportLine::Quoted(value), value != nullptr ? JsonString(value) : "null"};
}

RecordField Field(const Path& path, int value) {
    const std::string text = ReportLine::Unsigned(value);
    return RecordField{path, {}, text, text};
}

RecordField Field(const Path& path, bool value) {
    return RecordField{path, {}, ReportLine::Boolean(value), value ? "true" : "false"};
}

// JSON has no infinity and no NaN, which a description's number may read as.
RecordField Field(const Path& path, double value) {
    const std::string text = ReportLine::Real(value);
    return RecordField{path, {}, text, std::isfinite(value) ? text : "null"};
}

RecordField Field(const Path& path, const std::vector<int>& values) {
    const std::string text = ReportLine::FormatValues(values);
    return RecordField{path, {}, text, text};
}

// A step answers one record: false where the probe writes no line for it.
template <typename Record>
using Step = std::function<bool(Record& gpu, RecordField& field)>;

// A property of the lists in gpu/GPUProperties.h, answered by the record query the
// probe asks; the braces refuse a query whose answer would narrow to the type.
#define TROVEX_PROPERTY_STEP(Record, Name, RecordQuery)                \
    [](Record& gpu, RecordField& field) {                              \
        field = Field({#Name}, PropertyType::Name{gpu.RecordQuery()}); \
        return true;                                                   \
    }

// The first values of a list query, with room for the most any query answers.
template <typename Ask>
std::vector<int> HostValues(Ask ask) {
    std::vector<GLint> values(kMaxGLQueryValues, 0);
    ask(values.data());
    return std::vector<int>(values.begin(), values.begin() + kHostQueryValues);
}

Step<GLGPU> HostStep(const HostQuery& query) {
    const std::string name = query.name;
    const int number = query.number;
    switch (query.kind) {
        case kHostString:
            return [=](GLGPU& gpu, RecordField& field) {
                field = Field({"glGetString", name}, gpu.GLGetString(number));
                field.tags = {{name, number}};
                return true;
            };
        case kHostProgramiv:
            return [=](GLGPU& gpu, RecordField& field) {
                field = Field({"glGetProgramivARB", "GL_FRAGMENT_PROGRAM_ARB", name},
                              HostValues([&](GLint* values) {
                                  gpu.GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, number, values);
                              }));
                field.tags = {{"GL_FRAGMENT_PROGRAM_ARB", GL_FRAGMENT_PROGRAM_ARB}, {name, number}};
                return true;
            };
        case kHostIntegerv:
            return [=](GLGPU& gpu, RecordField& field) {
                field =
                    Field({"glGetIntegerv", name},
                          HostValues([&](GLint* values) { gpu.GLGetIntegerv(number, values); }));
                field.tags = {{name, number}};
                return true;
            };
        case kHostExtension:
            break;
    }
    return [=](GLGPU& gpu, RecordField& field) {
        field = Field({"extension", name},
                      gpu.CheckExtension(static_cast<Quelt::OGL::OpenGLExtension>(number)));
        field.tags = {{name, number}};
        return true;
    };
}

template <typename Record>
RecordSet Collect(const char* kind, const char* countKey,
                  const std::vector<boost::shared_ptr<Record> >& gpus,
                  const std::vector<Step<Record> >& steps) {
    RecordSet set{kind, countKey, gpus.size(), {}, {}};
    std::vector<bool> answering(gpus.size(), true);
    for (const Step<Record>& step : steps) {
        set.steps.emplace_back();
        for (size_t i = 0; i < gpus.size(); ++i) {
            if (!answering[i]) continue;
            try {
                RecordField field;
                if (step(*gpus[i], field)) set.steps.back().push_back(std::make_pair(i, field));
            } catch (...) {
                answering[i] = false;
                set.dropped.push_back(i);
            }
        }
    }
    return set;
}

// The length of the well-formed UTF-8 sequence at text[i]; 0 where there is none.
size_t Utf8Length(const std::string& text, size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

std::string Escaped(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", c);
    return text;
}

}  // namespace

RecordSet GLFields(const GLGPUVec& gpus, bool host) {
    std::vector<Step<GLGPU> > steps = {
        TROVEX_PROPERTY_STEP(GLGPU, GLVersion, GetVersion),
        TROVEX_PROPERTY_STEP(GLGPU, GLName, GetName),
        TROVEX_PROPERTY_STEP(GLGPU, GLMemoryMB, GetMemoryMB),
        TROVEX_PROPERTY_STEP(GLGPU, GLVendor, GetVendor),
        TROVEX_PROPERTY_STEP(GLGPU, GLVendorID, GetVendorID),
        TROVEX_PROPERTY_STEP(GLGPU, GLDriverVersion, GetDriverVersion),
        TROVEX_PROPERTY_STEP(GLGPU, GLRectTextureSize, GetGLRectTextureSize),
        TROVEX_PROPERTY_STEP(GLGPU, GLRenderer, GetGLRenderer),
        TROVEX_PROPERTY_STEP(GLGPU, GLRendererID, GetGLRendererID),
        TROVEX_PROPERTY_STEP(GLGPU, HasGLNPOTSupport, HasGLNPOTSupport),
        TROVEX_PROPERTY_STEP(GLGPU, GLDriver, GetGLDriver),
        TROVEX_PROPERTY_STEP(GLGPU, GLDriverDate, GetGLDriverDate),
        TROVEX_PROPERTY_STEP(GLGPU, CanCompileProgramGLSL, CanCompileProgramGLSL),
        TROVEX_PROPERTY_STEP(GLGPU, GLFrameBufferOK, GetGLFrameBufferOK),
    };
    if (host) {
        for (const HostQuery& query : kHostQueries) steps.push_back(HostStep(query));
    }
    return Collect("glgpu", "NumGLGPUs", gpus, steps);
}

RecordSet CLFields(const CLGPUVec& gpus, bool host) {
    std::vector<Step<CLGPU> > steps = {
        TROVEX_PROPERTY_STEP(CLGPU, CLPlatformVersion, GetVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CLDeviceVersion, GetCLDeviceVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CLMemoryMB, GetMemoryMB),
        TROVEX_PROPERTY_STEP(CLGPU, CLName, GetName),
        TROVEX_PROPERTY_STEP(CLGPU, CLVendor, GetVendor),
        TROVEX_PROPERTY_STEP(CLGPU, CLVendorID, GetVendorID),
        TROVEX_PROPERTY_STEP(CLGPU, CLDriverVersion, GetDriverVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CUDASupported, GetCUDASupported),
        // Only a CUDA platform that names its version has the line.
        [](CLGPU& gpu, RecordField& field) {
            if (!gpu.GetCUDASupported() || gpu.GetCUDAVersion().empty()) return false;
            field = Field({"CUDAVersion"}, PropertyType::CUDAVersion{gpu.GetCUDAVersion()});
            return true;
        },
        TROVEX_PROPERTY_STEP(CLGPU, CLBandwidth, GetCLBandwidth),
    };
    if (host) steps.push_back(TROVEX_PROPERTY_STEP(CLGPU, CLCompute, GetCLCompute));
    return Collect("clgpu", "NumCLGPUs", gpus, steps);
}

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c >= 0x80 ? Utf8Length(text, i) : 1;
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || length == 0) {
            json += Escaped(c);
        } else {
            json.append(text, i, length);
        }
        i += length != 0 ? length : 1;
    }
    return json + "\"";
}
