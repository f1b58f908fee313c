// The report reader: what it makes of text, hostile text included (the items it
// reads, the statements it skips, the records it gives, the one line on standard
// error of a reading that fails), and the data items and the static back end as a
// host program uses them directly.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dataitem/DataItemArray.h"
#include "dataitem/DataItemInt.h"
#include "dataitem/DataItemMap.h"
#include "dataitem/DescriptionParser.h"
#include "failure/FailRequirement.h"

namespace {

std::string Repeat(const std::string& text, int count) {
    std::string result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

// The values a query wrote, where it had room for one more than a caller gives.
std::string Values(const std::function<void(GLint*)>& query) {
    std::vector<GLint> values(kMaxGLQueryValues + 1, INT_MIN);
    query(values.data());
    std::string text;
    for (size_t i = 0; i < values.size() && values[i] != INT_MIN; ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(values[i]);
    return "[" + text + "]";
}

// One line for a query that answers.
void Ask(std::ostream& out, const std::string& key, const std::function<std::string()>& answer) {
    try {
        const std::string value = answer();
        out << key << '=' << value << '\n';
    } catch (const std::runtime_error&) {
    }
}

void Drop(const char*) {}

// The records a reading gave: their count, with properties their properties, and
// the queries they answer under every code of the text's gputag map.
std::string Records(DescriptionParser& parser, GPUImplStatic& result, bool properties) {
    DataItemPtr tagItem;
    DataItemEntries tags;
    if (parser.Lookup("gputag", tagItem)) tags = tagItem->AsMap()->Entries();
    const MessageSink sink = SetMessageSink(Drop);
    std::ostringstream out;
    out << "NumGLGPUs=" << result.GetGPUs().size() << '\n';
    for (size_t i = 0; i < result.GetGPUs().size(); ++i) {
        GLGPU& gpu = *result.GetGPUs()[i];
        const std::string record = "gl" + std::to_string(i);
        if (properties) {
            out << record << ": version=\"" << gpu.GetVersion() << "\" memory=" << gpu.GetMemoryMB()
                << " name=\"" << gpu.GetName() << "\" vendor=\"" << gpu.GetVendor()
                << "\" vendorID=" << gpu.GetVendorID() << " driverVersion=\""
                << gpu.GetDriverVersion() << "\" rectTexture=" << gpu.GetGLRectTextureSize()
                << " renderer=\"" << gpu.GetGLRenderer()
                << "\" rendererID=" << gpu.GetGLRendererID() << " npot=" << gpu.HasGLNPOTSupport()
                << " driver=\"" << gpu.GetGLDriver() << "\" driverDate=\"" << gpu.GetGLDriverDate()
                << "\" caption=\"" << gpu.GetGLCaption()
                << "\" glsl=" << gpu.CanCompileProgramGLSL()
                << " frameBuffer=" << gpu.GetGLFrameBufferOK() << '\n';
        }
        for (const DataItemEntry& tag : tags) {
            const int code = tag.second->AsInt();
            const std::string key = "[" + tag.first + "]";
            Ask(out, record + ".glGetString" + key, [&] {
                const char* text = gpu.GLGetString(code);
                return text != nullptr ? '"' + std::string(text) + '"' : "null";
            });
            Ask(out, record + ".glGetIntegerv" + key,
                [&] { return Values([&](GLint* values) { gpu.GLGetIntegerv(code, values); }); });
            // Extensions are asked by the library's enumerators only.
            const auto extension = static_cast<Quelt::OGL::OpenGLExtension>(code);
            if (tag.first.compare(0, 12, "Quelt::OGL::") == 0)
                Ask(out, record + ".extension" + key,
                    [&] { return std::to_string(gpu.CheckExtension(extension)); });
            for (const DataItemEntry& target : tags) {
                Ask(out, record + ".glGetProgramivARB[" + target.first + "]" + key, [&] {
                    return Values([&](GLint* values) {
                        gpu.GLGetProgramivARB(target.second->AsInt(), code, values);
                    });
                });
            }
        }
    }
    out << "NumCLGPUs=" << result.GetCLGPUs().size() << '\n';
    for (size_t i = 0; i < result.GetCLGPUs().size() && properties; ++i) {
        CLGPU& gpu = *result.GetCLGPUs()[i];
        out << "cl" << i << ": version=\"" << gpu.GetVersion() << "\" memory=" << gpu.GetMemoryMB()
            << " name=\"" << gpu.GetName() << "\" vendor=\"" << gpu.GetVendor()
            << "\" vendorID=" << gpu.GetVendorID() << " driverVersion=\"" << gpu.GetDriverVersion()
            << "\" cuda=" << gpu.GetCUDASupported() << " cudaVersion=\"" << gpu.GetCUDAVersion()
            << "\" bandwidth=" << gpu.GetCLBandwidth() << " compute=" << gpu.GetCLCompute()
            << " minBandwidth=" << gpu.GetMinCLBandwidth() << " deviceVersion=\""
            << gpu.GetCLDeviceVersion() << "\"\n";
    }
    SetMessageSink(sink);
    return out.str();
}

// The properties the first OpenGL record's back end holds.
std::string Held(DescriptionParser& parser) {
#define TROVEX_NAME(Name, Type, Query) #Name,
    static const char* const kProperties[] = {TROVEX_GL_PROPERTIES(TROVEX_NAME)
                                                  TROVEX_CL_PROPERTIES(TROVEX_NAME)};
#undef TROVEX_NAME
    std::string held;
    for (const char* property : kProperties)
        held += parser.CollectImpls("glgpu")[0]->Holds(property) ? property + std::string(" ") : "";
    return held;
}

// Reads text as a host reading its second report does: with a parser that read
// another before, into a back end that still holds that one's records. Answers
// "fails: " and the line on standard error, or what the item at name (a top-level
// variable, then members after dots) is: its kind and printed form, or "unset". The
// names "records" and "queries" stand for the records it gave, "held" for the
// properties the first OpenGL record holds, "statements" for the keys of the
// statements read.
std::string Read(const std::string& text, const std::string& name) {
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse("glgpu[0].GLName=\"n\"\nclgpu[0].CLName=\"c\"\n");
    std::string statements;
    parser.ObserveStatements([&](const std::string& key) { statements += key + " "; });
    testing::internal::CaptureStderr();
    const bool read = parser.Parse(text, result);
    std::string written = testing::internal::GetCapturedStderr();
    if (!read || !written.empty()) {
        EXPECT_FALSE(read);
        EXPECT_TRUE(result.GetGPUs().empty() && result.GetCLGPUs().empty());
        if (written.find('\n') + 1 == written.size()) written.pop_back();
        return "fails: " + written;
    }
    if (name == "records" || name == "queries") return Records(parser, result, name == "records");
    if (name == "held") return Held(parser);
    if (name == "statements") return statements;
    std::istringstream path(name);
    std::string part;
    std::getline(path, part, '.');
    DataItemPtr item;
    if (!parser.Lookup(part, item)) return "unset";
    while (item && std::getline(path, part, '.')) item = item->AsMap()->Get(part);
    static const char* const kKinds[] = {"", "int ", "double ", "text ", "map ", "array "};
    return item ? kKinds[item->Type()] + item->AsString() : "unset";
}

std::string Contents(const char* name) {
    std::ostringstream text;
    text << std::ifstream(std::string(TROVEX_DATAITEM_DIR) + "/" + name).rdbuf();
    return text.str();
}

struct Case {
    std::string text;
    std::string expected;
    std::string name = "x";
};

const char kTooMuch[] =
    "fails: DescriptionParser: array indexes reach beyond what the text can fill";
const char kNoMember[] = "fails: DataItemGPU: no such member";
const char kNoInt[] = "fails: DataItem::DoAsInt not overridden";
const char kNotThatKind[] = "fails: Failed requirement: result != NULL";
const char kWholeTable[] = "fails: DataItemGPU: should not be assigning entire glGetString map";
const std::string kTags =
    "gputag.GL_VENDOR=7936 gputag.GL_MAX_TEXTURE_SIZE=3379 gputag.GL_FRAGMENT_PROGRAM_ARB=34820\n";
const std::string kGPUs = "glgpu[0].GLVendor=\"v\" glgpu[8].GLVendor=\"v\" clgpu.CLName=\"c\"\n";
// Literals that read nothing, one a line.
const char kBroken[] = "x={a=1 b=2}\nx=[1 2]\nx={1}\nx=[a]\nx=[1,\nx={a=1,\nx=[;]\nx={\nx=[\ny=1";
const std::string kDeepest = Repeat("[", 64) + "1" + Repeat("]", 64);
const std::string kLongestTarget = "x" + Repeat("[0]", 64);
// The values 0 to kMaxGLQueryValues - 1, their list left open.
const std::string kAsManyAsRoom = [] {
    std::string list = "[0";
    for (int i = 1; i < kMaxGLQueryValues; ++i) list += ", " + std::to_string(i);
    return list;
}();
const std::string kOneMore = ", " + std::to_string(kMaxGLQueryValues) + "]";

const Case kCases[] = {
    // Names take double colons (the host report's extension names have them), never
    // one; texts lose their backslashes and end at the next quote of their kind; an
    // unterminated one costs its own line only.
    {"x:y=1", "unset", "x:y"},
    {"_x1.y=1", "map {y=1}", "_x1"},
    {"x=['it\\'s', \"say \\\"hi\\\"\", \"\\n\", \"\", \"C:\\Windows\\a.dll\", 'a\\\\b']",
     "array {\"it's\", \"say \\\"hi\\\"\", \"n\", \"\", \"C:Windowsa.dll\", \"a\\b\"}"},
    {"x=\"A\"B\" y=1\nz=2", "text A"},
    {"x=\"open\ny=1", "int 1", "y"},
    {"x=\"a text that ends in a backslash\\", "unset"},
    // Bytes above 127 are neither space, letter nor digit.
    {"\xC3\xA9t\xC3\xA9=1\nx=\x85\x35\ny=2", "unset"},
    {"\xC3\xA9t\xC3\xA9=1\nx=\x85\x35\ny=2", "int 2", "y"},
    // Integers in every form, wrapping at 32 bits; doubles from points and exponents.
    {"x={a=0x10, b=0XfF, c=010, d=018, e=019, f=0, g=4294967295, h=-5, i=-0x10, j=-2147483648}",
     "map {a=16, b=255, c=8, d=18, e=19, f=0, g=-1, h=-5, i=-16, j=-2147483648}"},
    {"x=[1., 1e3, 2E-2, -2.5, 017.5, 1.5e+006, 0.0625, 5000000000.0, 1234567.0, 1e99999999999999]",
     "array {1, 1000, 0.02, -2.5, 17.5, 1.5e+06, 0.0625, 5e+09, 1.23457e+06, inf}"},
    {"x=1.", "double 1"},
    {"x=1e", "int 1"},
    {"x=7abc", "int 7"},
    {"x=- 5", "unset"},
    // Statements share lines and span them; what cannot be read is skipped to the
    // line end. A new reading starts without the variables of the one before.
    {"a=1 x=2", "int 2"},
    {"a=1; x=2", "unset"},
    {"x=1e y=2", "unset", "y"},
    {"x\n=\n3", "int 3"},
    {"# x=1\n", "unset"},
    {"# log line\r\nx=2\r\n", "int 2"},
    {"a=1", "unset", "glgpu"},
    // Each statement read is told by its key, without its white space, in order.
    {"Tester=\"V\" # c\nx [ 1 ] . y\n= 2 bad line\n;\nglgpu[0].GLName=\"n\" x=2",
     "Tester x[1].y glgpu[0].GLName x ", "statements"},
    // Selectors make containers, or replace a value of another kind.
    {"x[2]=7", "array {, , 7}"},
    {"x[b]=1", "map {b=1}"},
    {"x=1 x.b=2", "map {b=2}"},
    {"x [ 0x1 ] . y = 1", "array {, {y=1}}"},
    {"x.b.c y", "map {b={}}"},
    {"x={a=1}", "unset", "x.A"},
    // Literals nest, take a trailing comma, keep the last of a repeated key, and fail
    // whole where they read nothing.
    {"x={a=1, b={c=[1, 2.5, \"t\"]}, d={e f}, g={h=1,}, i=[1,], j=[], k=3, k=2}",
     "map {a=1, b={c={1, 2.5, \"t\"}}, d={}, g={h=1}, i={1}, j={}, k=2}"},
    {kBroken, "unset"},
    {kBroken, "int 1", "y"},
    // Nesting and selector chains are bounded, so hostile text cannot exhaust the
    // stack.
    {"x=" + kDeepest, "array " + Repeat("{", 64) + "1" + Repeat("}", 64)},
    {"x=[" + kDeepest + "]", "unset"},
    {"x=" + Repeat("[", 200000), "unset"},
    {"x=" + Repeat("{a=", 100000), "unset"},
    {kLongestTarget + "=2", "array " + Repeat("{", 64) + "2" + Repeat("}", 64)},
    {kLongestTarget + "[0]=2 y=1", "unset", "y"},
    {"a" + Repeat(".b", 100000) + "=1\nx=1", "int 1"},
    // Index selectors may not make more room than the text could fill, and an index
    // past 32 bits does not wrap onto a small one.
    {"a[60000]=1", "array {" + Repeat(", ", 60000) + "1}", "a"},
    {Repeat("a[60000]=1 a=0\n", 40), kTooMuch},
    {"x[65535]=1 y=1", "int 1", "y"},
    {"x[65536]=1", "fails: DataItemArray: index out of range"},
    {"glgpu[0].GLName=\"n\" a[4294967295]=1", kTooMuch},
    {"glgpu[0].GLName=\"n\" a[0x100000001]=1", kTooMuch},
    // A GPU item's members, what they convert, and what they refuse.
    {"glgpu.GLName=\"n\"",
     "map {GLVersion=\"\", GLMemoryMB=0, GLName=\"n\", GLVendor=\"\", GLVendorID=0, "
     "GLDriverVersion=\"\", GLRectTextureSize=0, GLRenderer=\"\", GLRendererID=0, "
     "HasGLNPOTSupport=0, GLDriver=\"\", GLDriverDate=\"\", GLCaption=\"\", "
     "CanCompileProgramGLSL=0, GLFrameBufferOK=0, glGetString={}, glGetIntegerv={}, "
     "extension={}, glGetProgramivARB={}, CLPlatformVersion=\"\", CLMemoryMB=0, CLName=\"\", "
     "CLVendor=\"\", CLVendorID=0, CLDriverVersion=\"\", CUDASupported=0, CUDAVersion=\"\", "
     "CLBandwidth=0, CLCompute=0, MinCLBandwidth=0, CLDeviceVersion=\"\"}",
     "glgpu"},
    {"glgpu.HasGLNPOTSupport=2", "int 1", "glgpu.HasGLNPOTSupport"},
    // A back end holds the properties a text set, whatever their values.
    {"glgpu.GLName=\"\" glgpu.CLBandwidth=0 glgpu.glGetString[GL_VENDOR]=\"V\" glgpu.GLName=\"n\"",
     "GLName CLBandwidth ", "held"},
    {"clgpu.CLBandwidth=3", "double 3", "clgpu.CLBandwidth"},
    {"glgpu.GLVendor=5", "text 5", "glgpu.GLVendor"},
    {"glgpu.GLMemoryMB=3.5", kNoInt},
    {"glgpu.GLMemoryMB=\"512\"", kNoInt},
    {"clgpu.CLCompute=\"1\"", "fails: DataItem::DoAsDouble not overridden"},
    {"glgpu.glversion=1", kNoMember},
    {"glgpu.glGetString=1", kWholeTable},
    {kTags + "glgpu[0].glGetString[0]=1", kWholeTable},
    // Whatever came before, a failure leaves no records. A property holds a value,
    // never a container to select in.
    {kGPUs + "glgpu[0].NoSuchName=1\nclgpu[0].CLName=\"c\"\n", kNoMember},
    {kGPUs + "glgpu[0].GLName.x=1", kNoMember},
    {kGPUs + "glgpu[0].HasGLNPOTSupport[x]=1", kNoMember},
    {kGPUs + "clgpu.CLBandwidth.x=1", kNoMember},
    // Reports read back: the records answer what the text says. Only GPU items,
    // under glgpu and clgpu, become records.
    {Contents("host-report.txt"), Contents("host-report.records"), "records"},
    {"# only\n  \n\t# comments\n", "NumGLGPUs=0\nNumCLGPUs=0\n", "queries"},
    {"glgpu[0]=5\nglgpu[3].GLVendor=\"V\"\nglgpu[2]={a=1} clgpu={CLName=\"c\"} xglgpu.GLVendor=1",
     "NumGLGPUs=1\nNumCLGPUs=0\n", "queries"},
    {"clgpu.CLName=\"c\"", "NumGLGPUs=0\nNumCLGPUs=1\n", "queries"},
    // Query tables apply under the codes gputag gives their names: a name without a
    // code is left out, and without gputag no table applies. However many values a
    // text lists, a caller's room is never overrun.
    {kTags + "glgpu.glGetString[GL_VENDOR]=\"V\" glgpu.glGetString[GL_UNTAGGED]=\"U\"",
     "NumGLGPUs=1\ngl0.glGetString[GL_VENDOR]=\"V\"\nNumCLGPUs=0\n", "queries"},
    {"glgpu.glGetString[GL_VENDOR]=\"V\"", "NumGLGPUs=1\nNumCLGPUs=0\n", "queries"},
    {kTags + "glgpu.glGetIntegerv[GL_MAX_TEXTURE_SIZE]=" + kAsManyAsRoom + kOneMore +
         " glgpu.glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][GL_VENDOR]=" + kAsManyAsRoom + kOneMore,
     "NumGLGPUs=1\ngl0.glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][GL_VENDOR]=" + kAsManyAsRoom +
         "]\ngl0.glGetIntegerv[GL_MAX_TEXTURE_SIZE]=" + kAsManyAsRoom + "]\nNumCLGPUs=0\n",
     "queries"},
    // Query tables of the wrong shape fail the reading when the records are made.
    {"gputag[0]=1 glgpu[0].GLName=\"n\"", kNotThatKind},
    {kTags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE]=5", kNotThatKind},
    {kTags + "glgpu[0].glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB]=[1]", kNotThatKind},
    {kTags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE][2]=5",
     "fails: DataItemGPU: query table entry has no value"},
    {kTags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE]=[\"x\"]", kNoInt},
    {"gputag.GL_VENDOR=\"x\" glgpu[0].glGetString[GL_VENDOR]=\"V\"", kNoInt},
};

DataItemPtr Int(int value) { return DataItemPtr(new DataItemIntLiteral(nullptr, value)); }
// {, 1}
boost::shared_ptr<DataItemArrayLiteral> Array() {
    boost::shared_ptr<DataItemArrayLiteral> array(new DataItemArrayLiteral(nullptr));
    array->Set(1, Int(1));
    return array;
}
// A back end given a null text under 1, and a program value under target 1, code 2.
GPUImplStatic& Impl() {
    static GPUImplStatic impl;
    impl.SetGLString(1, "one");
    impl.SetGLString(1, nullptr);
    impl.SetGLProgramivARB(1, 2, {3});
    return impl;
}
GLint values[kMaxGLQueryValues];

// What the expression printed, or "fails: " and the text it raised, which must also
// be the one line it wrote on standard error.
std::string Outcome(const std::function<void(std::ostream&)>& print) {
    std::ostringstream out;
    testing::internal::CaptureStderr();
    try {
        print(out);
        EXPECT_EQ("", testing::internal::GetCapturedStderr());
        return out.str();
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(std::string(failure.what()) + "\n", testing::internal::GetCapturedStderr());
        return std::string("fails: ") + failure.what();
    }
}

// A row of the table: what the expression prints; "(call, "")" prints nothing.
#define TROVEX_CASE(expression, expected)                      \
    {                                                          \
        [](std::ostream& out) { out << expression; }, expected \
    }

// What no text reaches: arrays read past their end as empty and refuse a negative
// index, and the back end answers no query value it was not given.
const std::pair<std::function<void(std::ostream&)>, std::string> kItemCases[] = {
    TROVEX_CASE(!Array()->Get(2) << !Array()->Get(static_cast<uint32_t>(-1)), "11"),
    TROVEX_CASE((Array()->SetItem(Int(-1).get(), Int(1)), ""),
                "fails: DataItemArray: index out of range"),
    TROVEX_CASE(QuoteText("a\"b") << QuoteText(std::string("a\0b", 3)), "\"a\\\"b\"\"a\""),
    TROVEX_CASE(Impl().GetGLMemoryMB() << Impl().HasGLNPOTSupport() << Impl().GetCLBandwidth()
                                       << Impl().GetGLName() << (Impl().GLGetString(1) == nullptr),
                "0001"),
    TROVEX_CASE(Impl().GLGetString(2), "fails: GLGetString value never set"),
    TROVEX_CASE((Impl().GLGetIntegerv(1, values), ""), "fails: GLGetIntegerv value never set"),
    TROVEX_CASE((Impl().GLGetProgramivARB(2, 2, values), ""),
                "fails: GLGetProgramivARB target never set"),
    TROVEX_CASE((Impl().GLGetProgramivARB(1, 3, values), ""),
                "fails: GLGetProgramivARB target code never set"),
    TROVEX_CASE(Impl().CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM),
                "fails: CheckExtension extension never set"),
};

#undef TROVEX_CASE

TEST(Reader, ReadsWhatItCanFailsWholeOnWhatItMustNotAndAnswersOnlyWhatItHolds) {
    for (const Case& c : kCases)
        EXPECT_EQ(c.expected, Read(c.text, c.name)) << c.text.substr(0, 200);
    for (size_t i = 0; i < sizeof kItemCases / sizeof kItemCases[0]; ++i)
        EXPECT_EQ(kItemCases[i].second, Outcome(kItemCases[i].first)) << "case " << i;
}

}  // namespace
