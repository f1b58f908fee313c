#include "report/RecordFields.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "HostQueries.h"
#include "ReportLine.h"
#include "failure/FailRequirement.h"
#include "gpu/GPU.h"

namespace {

typedef std::vector<std::string> Path;

// A value as the report writes it and as JSON.
struct Answer {
    std::string reportValue;
    std::string jsonValue;
};

Answer Value(const std::string& value) { return {ReportLine::Quoted(value), JsonString(value)}; }

// A back end may answer a text query with null; the report shows it empty.
Answer Value(const char* value) {
    return {ReportLine::Quoted(value), value != nullptr ? JsonString(value) : "null"};
}

Answer Value(int value) {
    const std::string text = ReportLine::Unsigned(value);
    return {text, text};
}

Answer Value(bool value) { return {ReportLine::Boolean(value), value ? "true" : "false"}; }

// JSON has no infinity and no NaN, which a description's number may read as.
Answer Value(double value) {
    const std::string text = ReportLine::Real(value);
    return {text, std::isfinite(value) ? text : "null"};
}

Answer Value(const std::vector<int>& values) {
    const std::string text = ReportLine::FormatValues(values);
    return {text, text};
}

// One step of the probe: the field it writes for each record, and the gputag
// lines before it. Its answer is false where the record holds no value for it.
template <typename Record>
struct Step {
    Path path;
    std::vector<std::pair<std::string, int> > tags;
    std::function<bool(Record& gpu, GPUImplStatic& impl, Answer& answer)> answer;
    // The probe writes the line only for some devices.
    bool optional;
};

// A property of the lists in gpu/GPUProperties.h, where the back end holds it,
// as it holds it: an OpenGL record answers its name with the renderer's, but a GPU
// the probe dropped after naming it holds the name alone.
#define TROVEX_PROPERTY_STEP(Record, Name, Query)              \
    Step<Record> {                                             \
        {#Name}, {},                                           \
            [](Record&, GPUImplStatic& impl, Answer& answer) { \
                if (!impl.Holds(#Name)) return false;          \
                answer = Value(impl.Query());                  \
                return true;                                   \
            },                                                 \
            false                                              \
    }

template <typename Record>
Step<Record> Optional(Step<Record> step) {
    step.optional = true;
    return step;
}

// The first values of a list query, with room for the most any query answers.
template <typename Ask>
std::vector<int> HostValues(Ask ask) {
    std::vector<GLint> values(kMaxGLQueryValues, 0);
    ask(values.data());
    return std::vector<int>(values.begin(), values.begin() + kHostQueryValues);
}

// The back end answers a query table entry the report never held with a failure,
// which is what the steps below take as "not held".
Step<GLGPU> HostStep(const HostQuery& query) {
    const std::string name = query.name;
    const int number = query.number;
    switch (query.kind) {
        case kHostString:
            return {{"glGetString", name},
                    {{name, number}},
                    [=](GLGPU& gpu, GPUImplStatic&, Answer& answer) {
                        answer = Value(gpu.GLGetString(number));
                        return true;
                    },
                    false};
        case kHostProgramiv:
            return {{"glGetProgramivARB", "GL_FRAGMENT_PROGRAM_ARB", name},
                    {{"GL_FRAGMENT_PROGRAM_ARB", GL_FRAGMENT_PROGRAM_ARB}, {name, number}},
                    [=](GLGPU& gpu, GPUImplStatic&, Answer& answer) {
                        answer = Value(HostValues([&](GLint* values) {
                            gpu.GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, number, values);
                        }));
                        return true;
                    },
                    false};
        case kHostIntegerv:
            return {{"glGetIntegerv", name},
                    {{name, number}},
                    [=](GLGPU& gpu, GPUImplStatic&, Answer& answer) {
                        answer = Value(
                            HostValues([&](GLint* values) { gpu.GLGetIntegerv(number, values); }));
                        return true;
                    },
                    false};
        case kHostExtension:
            break;
    }
    return {{"extension", name},
            {{name, number}},
            [=](GLGPU& gpu, GPUImplStatic&, Answer& answer) {
                answer =
                    Value(gpu.CheckExtension(static_cast<Quelt::OGL::OpenGLExtension>(number)));
                return true;
            },
            false};
}

void DropMessage(const char*) {}

// Keeps the reader's failure lines off standard error while the records are
// asked: each such failure only says that the report never held a value.
class QuietReader {
public:
    QuietReader() : previous(SetMessageSink(DropMessage)) {}
    ~QuietReader() { SetMessageSink(previous); }

private:
    MessageSink previous;
};

template <typename Record>
RecordSet Collect(const char* kind, const std::vector<boost::shared_ptr<Record> >& gpus,
                  const StaticImpls& impls, const std::vector<Step<Record> >& steps) {
    RecordSet set{kind, {}, std::vector<std::vector<std::string> >(gpus.size())};
    QuietReader quiet;
    for (const Step<Record>& step : steps) {
        set.steps.emplace_back();
        for (size_t i = 0; i < gpus.size(); ++i) {
            RecordField field{step.path, step.tags, false, "", "null"};
            Answer answer;
            try {
                field.held = step.answer(*gpus[i], *impls[i], answer);
            } catch (...) {
            }
            if (field.held) {
                field.reportValue = answer.reportValue;
                field.jsonValue = answer.jsonValue;
            } else if (!step.optional) {
                set.lacking[i].push_back(FieldKey(step.path));
            }
            set.steps.back().push_back(field);
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

RecordSet GLFields(const GLGPUVec& gpus, const StaticImpls& impls, bool host) {
    std::vector<Step<GLGPU> > steps = {
        TROVEX_PROPERTY_STEP(GLGPU, GLVersion, GetGLVersion),
        TROVEX_PROPERTY_STEP(GLGPU, GLName, GetGLName),
        TROVEX_PROPERTY_STEP(GLGPU, GLMemoryMB, GetGLMemoryMB),
        TROVEX_PROPERTY_STEP(GLGPU, GLVendor, GetGLVendor),
        TROVEX_PROPERTY_STEP(GLGPU, GLVendorID, GetGLVendorID),
        TROVEX_PROPERTY_STEP(GLGPU, GLDriverVersion, GetGLDriverVersion),
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
    return Collect("glgpu", gpus, impls, steps);
}

RecordSet CLFields(const CLGPUVec& gpus, const StaticImpls& impls, bool host) {
    std::vector<Step<CLGPU> > steps = {
        TROVEX_PROPERTY_STEP(CLGPU, CLPlatformVersion, GetCLPlatformVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CLDeviceVersion, GetCLDeviceVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CLMemoryMB, GetCLMemoryMB),
        TROVEX_PROPERTY_STEP(CLGPU, CLName, GetCLName),
        TROVEX_PROPERTY_STEP(CLGPU, CLVendor, GetCLVendor),
        TROVEX_PROPERTY_STEP(CLGPU, CLVendorID, GetCLVendorID),
        TROVEX_PROPERTY_STEP(CLGPU, CLDriverVersion, GetCLDriverVersion),
        TROVEX_PROPERTY_STEP(CLGPU, CUDASupported, GetCUDASupported),
        // Only a CUDA platform that names its version has the line.
        Optional(TROVEX_PROPERTY_STEP(CLGPU, CUDAVersion, GetCUDAVersion)),
        TROVEX_PROPERTY_STEP(CLGPU, CLBandwidth, GetCLBandwidth),
    };
    if (host) steps.push_back(TROVEX_PROPERTY_STEP(CLGPU, CLCompute, GetCLCompute));
    return Collect("clgpu", gpus, impls, steps);
}

std::string RecordTag(const RecordSet& set, size_t index) {
    return set.kind + ("[" + std::to_string(index) + "]");
}

std::string FieldKey(const std::vector<std::string>& path) {
    std::string key = path[0];
    for (size_t i = 1; i < path.size(); ++i) key += "[" + path[i] + "]";
    return key;
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
