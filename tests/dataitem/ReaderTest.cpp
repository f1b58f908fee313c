// The report reader: what it makes of text, hostile text included (the items it
// reads, the statements it skips, the records it gives, the one line on standard
// error of a reading that fails), and the data items and the static back end as a
// host program uses them directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FailureText.h"
#include "ReportLine.h"
#include "ReportModel.h"
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

// The values a query wrote, where it had room for one more than a caller gives, in
// the report's form of a value list.
std::string Values(const std::function<void(GLint*)>& query) {
    std::vector<GLint> values(kMaxGLQueryValues + 1, INT_MIN);
    query(values.data());
    values.erase(std::find(values.begin(), values.end(), INT_MIN), values.end());
    return ReportLine::FormatValues(values);
}

// One line for a query that answers.
void Ask(std::ostream& out, const std::string& key, const std::function<std::string()>& answer) {
    try {
        const std::string value = answer();
        out << key << '=' << value << '\n';
    } catch (const std::runtime_error&) {
    }
}

// A line for each property a back end holds (an OpenGL record's may be OpenCL ones).
std::string Held(GPUImplStatic& impl, const std::string& record) {
    std::ostringstream out;
#define TROVEX_PRINT(Name, Type, Query) \
    if (impl.Holds(#Name)) out << record << "." #Name "=" << impl.Query() << '\n';
    TROVEX_GL_PROPERTIES(TROVEX_PRINT)
    TROVEX_CL_PROPERTIES(TROVEX_PRINT)
#undef TROVEX_PRINT
    return out.str();
}

// The records a reading gave: their count, the properties their back ends hold, and
// the queries they answer under every code of the text's gputag map.
std::string Records(DescriptionParser& parser, GPUImplStatic& result) {
    DataItemPtr tagItem;
    DataItemEntries tags;
    if (parser.Lookup("gputag", tagItem)) tags = tagItem->AsMap()->Entries();
    const MessageSink sink = SetMessageSink([](const char*) {});
    std::ostringstream out;
    out << "NumGLGPUs=" << result.GetGPUs().size() << '\n';
    for (size_t i = 0; i < result.GetGPUs().size(); ++i) {
        GLGPU& gpu = *result.GetGPUs()[i];
        const std::string record = "gl" + std::to_string(i);
        out << Held(*parser.CollectImpls("glgpu").at(i), record);
        for (const DataItemEntry& tag : tags) {
            const int code = tag.second->AsInt();
            const std::string key = "[" + tag.first + "]";
            Ask(out, record + ".glGetString" + key, [&] { return gpu.GLGetString(code); });
            Ask(out, record + ".glGetIntegerv" + key,
                [&] { return Values([&](GLint* values) { gpu.GLGetIntegerv(code, values); }); });
            // Extensions are asked by the library's enumerators only.
            const auto extension = static_cast<Quelt::OGL::OpenGLExtension>(code);
            if (tag.first.compare(0, 12, "Quelt::OGL::") == 0)
                Ask(out, record + ".extension" + key,
                    [&] { return std::to_string(gpu.CheckExtension(extension)); });
            for (const DataItemEntry& target : tags)
                Ask(out, record + ".glGetProgramivARB[" + target.first + "]" + key, [&] {
                    return Values([&](GLint* values) {
                        gpu.GLGetProgramivARB(target.second->AsInt(), code, values);
                    });
                });
        }
    }
    out << "NumCLGPUs=" << result.GetCLGPUs().size() << '\n';
    for (size_t i = 0; i < result.GetCLGPUs().size(); ++i)
        out << Held(*parser.CollectImpls("clgpu").at(i), "cl" + std::to_string(i));
    SetMessageSink(sink);
    return out.str();
}

// Reads text as a host reading its second report does: with a parser that read
// another before, into a back end that still holds that one's records. Answers
// "fails: " and the line on standard error, or what the top-level variable name is:
// its kind and printed form, or "unset". The
// name "records" stands for the records it gave, "statements" for
// the keys of the statements read.
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
    if (name == "records") return Records(parser, result);
    if (name == "statements") return statements;
    DataItemPtr item;
    static const char* const kKinds[] = {"", "int ", "double ", "text ", "map ", "array "};
    return parser.Lookup(name, item) ? kKinds[item->Type()] + item->AsString() : "unset";
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
// Values and targets that read nothing, one a line: literals that lack a comma, begin
// with one, leave an entry unread before the first or close with the other bracket;
// signs other than a minus sign right before the digits; indexes that are not
// unsigned integers.
const char kBroken[] =
    "x={a=1 b=2}\nx=[1 2]\nx={1}\nx=[a]\nx=[1,\nx={a=1,\nx=[;]\nx={\nx=[\nx=[,1]\nx={,a=1}\n"
    "x={a=, b=1}\nx={=1}\nx=[1}\nx={a=1]\nx={a=[1}\nx=+5\nx=--5\nx=-.5\nx=.5\nx=[1, - 2]\n"
    "x=- 5\nx[-1]=1\nx[]=1\nx[1.5]=1\nx.=1\ny=1";
const std::string kDeepest = Repeat("[", 64) + "1" + Repeat("]", 64);
const std::string kLongestTarget = "x" + Repeat("[0]", 64);
// One value more than a caller has room for, and what fits.
const std::string kOneTooMany = "[" + Repeat("7, ", kMaxGLQueryValues) + "8]";
const std::string kAsManyAsRoom = "[" + Repeat("7, ", kMaxGLQueryValues - 1) + "7]";

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
    // The text ends at a NUL byte, even one after a backslash.
    {std::string("x=\"a\\\0\" y=1", 11), "unset", "y"},
    // Bytes above 127 are neither space, letter nor digit.
    {"\xC3\xA9t\xC3\xA9=1\nx=\x85\x35\ny=2", "unset"},
    {"\xC3\xA9t\xC3\xA9=1\nx=\x85\x35\ny=2", "int 2", "y"},
    // Integers in every form, wrapping at 32 bits; doubles from points and exponents.
    {"x={a=0x10, b=0XfF, c=010, d=018, e=019, f=0, g=4294967295, h=-5, i=-0x10, j=-2147483648, "
     "k=0x100000001, l=040000000001, m=99999999999, n=-2147483649}",
     "map {a=16, b=255, c=8, d=18, e=19, f=0, g=-1, h=-5, i=-16, j=-2147483648, k=1, l=1, "
     "m=1215752191, n=2147483647}"},
    // An exponent past any a double holds gives infinity or zero, however it wraps at
    // 32 bits; zero stays zero.
    {"x=[1., 1e3, 2E-2, -2.5, 017.5, 1.5e+006, 0.0625, 5000000000.0, 1234567.0, 1e99999999999999, "
     "1e308, 1e-308, -1e-5, 1e4294967297, 1e-4294967297, 0e400]",
     "array {1, 1000, 0.02, -2.5, 17.5, 1.5e+06, 0.0625, 5e+09, 1.23457e+06, inf, 1e+308, 1e-308, "
     "-1e-05, inf, 0, 0}"},
    {"x=1.", "double 1"},
    {"x=1e", "int 1"},
    {"x=7abc", "int 7"},
    // A hexadecimal integer takes no fraction, and needs a digit after its 0x.
    {"x=0x10.5", "int 16"},
    {"x=0x y=1", "unset", "y"},
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
    {"x={a=1} x.A=2", "map {a=1, A=2}"},
    // Literals nest, take a trailing comma, keep the last of a repeated key, and fail
    // whole where they read nothing.
    // An entry that cannot be read between two commas is left out; a bracket after the
    // literal's end is not read.
    {"x={a=1, b={c=[1, 2.5, \"t\"]}, d={e f}, g={h=1,}, i=[1,], j=[], k=3, k=2, l={m=}, "
     "n=[1,,2], o={p=1,,q=2}, r={s=[1]}}]",
     "map {a=1, b={c={1, 2.5, \"t\"}}, d={}, g={h=1}, i={1}, j={}, k=2, l={}, n={1, 2}, "
     "o={p=1, q=2}, r={s={1}}}"},
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
    // A text may fill 16 entries a byte and 65536 more, here exactly, then one more.
    {"a[65535]=1 b[64431]=1 y=1 #" + Repeat("#", 4000), "int 1", "y"},
    {"a[65535]=1 b[64432]=1 y=1 #" + Repeat("#", 4000), kTooMuch},
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
    {"glgpu.HasGLNPOTSupport=2 glgpu.GLVendor=5 clgpu.CLBandwidth=3",
     "NumGLGPUs=1\ngl0.GLVendor=5\ngl0.HasGLNPOTSupport=1\nNumCLGPUs=1\ncl0.CLBandwidth=3\n",
     "records"},
    // A back end holds the properties a text set, whatever their values.
    {"glgpu.GLName=\"\" glgpu.CLBandwidth=0 glgpu.glGetString[GL_VENDOR]=\"V\" glgpu.GLName=\"n\"",
     "NumGLGPUs=1\ngl0.GLName=n\ngl0.CLBandwidth=0\nNumCLGPUs=0\n", "records"},
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
    {ReadFile(TROVEX_DATAITEM_DIR "/host-report.txt"),
     ReadFile(TROVEX_DATAITEM_DIR "/host-report.records"), "records"},
    {"# only\n  \n\t# comments\n", "NumGLGPUs=0\nNumCLGPUs=0\n", "records"},
    {"glgpu[0]=5\nglgpu[3].GLVendor=\"V\"\nglgpu[2]={a=1} clgpu={CLName=\"c\"} xglgpu.GLVendor=1",
     "NumGLGPUs=1\ngl0.GLVendor=V\nNumCLGPUs=0\n", "records"},
    {"clgpu.CLName=\"c\"", "NumGLGPUs=0\nNumCLGPUs=1\ncl0.CLName=c\n", "records"},
    // Query tables apply under the codes gputag gives their names: a name without a
    // code is left out, and without gputag no table applies. However many values a
    // text lists, a caller's room is never overrun.
    {kTags + "glgpu.glGetString[GL_VENDOR]=\"V\" glgpu.glGetString[GL_UNTAGGED]=\"U\"",
     "NumGLGPUs=1\ngl0.glGetString[GL_VENDOR]=V\nNumCLGPUs=0\n", "records"},
    {"glgpu.glGetString[GL_VENDOR]=\"V\"", "NumGLGPUs=1\nNumCLGPUs=0\n", "records"},
    {kTags + "glgpu.glGetIntegerv[GL_MAX_TEXTURE_SIZE]=" + kOneTooMany +
         " glgpu.glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][GL_VENDOR]=" + kOneTooMany,
     "NumGLGPUs=1\ngl0.glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][GL_VENDOR]=" + kAsManyAsRoom +
         "\ngl0.glGetIntegerv[GL_MAX_TEXTURE_SIZE]=" + kAsManyAsRoom + "\nNumCLGPUs=0\n",
     "records"},
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

TEST(Reader, ReadsWhatItCanFailsWholeOnWhatItMustNotAndAnswersOnlyWhatItHolds) {
    for (const Case& c : kCases)
        EXPECT_EQ(c.expected, Read(c.text, c.name)) << c.text.substr(0, 200);
    // What no text reaches: arrays read past their end as empty and refuse a negative
    // index, texts print up to a NUL, and the back end answers no query value it was
    // not given.
    DataItemArrayLiteral array(nullptr);
    array.Set(1, Int(1));
    EXPECT_TRUE(!array.Get(2) && !array.Get(static_cast<uint32_t>(-1)));
    EXPECT_EQ("\"a\\\"b\"\"a\"", QuoteText("a\"b") + QuoteText(std::string("a\0b", 3)));
    // A new back end answers empty texts, 0, false and 0.0.
    GPUImplStatic impl;
#define TROVEX_DEFAULT(Name, Type, Query) EXPECT_EQ(Type(), impl.Query()) << #Name;
    TROVEX_GL_PROPERTIES(TROVEX_DEFAULT)
    TROVEX_CL_PROPERTIES(TROVEX_DEFAULT)
#undef TROVEX_DEFAULT
    impl.SetGLString(1, "one");
    impl.SetGLString(1, nullptr);
    impl.SetGLProgramivARB(1, 2, {3});
    EXPECT_TRUE(impl.GLGetString(1) == nullptr);
    GLint values[kMaxGLQueryValues];
    const std::pair<std::function<void()>, const char*> kFailures[] = {
        {[&] { array.SetItem(Int(-1).get(), Int(1)); }, "DataItemArray: index out of range"},
        {[&] { impl.GLGetString(2); }, "GLGetString value never set"},
        {[&] { impl.GLGetIntegerv(1, values); }, "GLGetIntegerv value never set"},
        {[&] { impl.GLGetProgramivARB(2, 2, values); }, "GLGetProgramivARB target never set"},
        {[&] { impl.GLGetProgramivARB(1, 3, values); }, "GLGetProgramivARB target code never set"},
        {[&] { impl.CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM); },
         "CheckExtension extension never set"},
    };
    for (const auto& failure : kFailures) EXPECT_EQ(failure.second, FailureText(failure.first));
}

}  // namespace
