#include <gtest/gtest.h>

#include <sstream>

#include "FailureText.h"
#include "ParseFailureText.h"
#include "dataitem/DataItemDouble.h"
#include "dataitem/DataItemGPU.h"
#include "dataitem/DataItemInt.h"
#include "dataitem/DataItemString.h"
#include "dataitem/DescriptionParser.h"
#include "dataitem/GPUVecStreams.h"
#include "gpu/GPU.h"

namespace {

DataItemPtr Int(int value) { return DataItemPtr(new DataItemIntLiteral(nullptr, value)); }
DataItemPtr Double(double value) { return DataItemPtr(new DataItemDoubleLiteral(nullptr, value)); }
DataItemPtr Text(const std::string& value) {
    return DataItemPtr(new DataItemStringLiteral(nullptr, value));
}

// The only OpenGL record read from text, or none where the text gives another count.
boost::shared_ptr<GLGPU> OnlyGLRecord(const std::string& text) {
    DescriptionParser parser;
    GLGPUVec gpus = parser.Parse(text).GetGPUs();
    return gpus.size() == 1 ? gpus[0] : boost::shared_ptr<GLGPU>();
}

const char kTags[] =
    "gputag.GL_VENDOR=7936\n"
    "gputag.GL_MAX_TEXTURE_SIZE=3379\n"
    "gputag.GL_FRAGMENT_PROGRAM_ARB=34820\n"
    "gputag.GL_MAX_PROGRAM_INSTRUCTIONS_ARB=34977\n"
    "gputag.Quelt::OGL::GL_ARB_VERTEX_PROGRAM=198\n";

}  // namespace

TEST(GPUImplStatic, NewBackEndAnswersEmptyValuesAndNoQueryValues) {
    GPUImplStatic impl;
    EXPECT_EQ(0, impl.GetGLMemoryMB());
    EXPECT_FALSE(impl.HasGLNPOTSupport());
    EXPECT_EQ(0.0, impl.GetCLBandwidth());
    GLint values[kMaxGLQueryValues] = {};
    EXPECT_EQ("GLGetString value never set", FailureText([&] { impl.GLGetString(GL_VENDOR); }));
    EXPECT_EQ("GLGetIntegerv value never set",
              FailureText([&] { impl.GLGetIntegerv(GL_MAX_TEXTURE_SIZE, values); }));
    EXPECT_EQ("GLGetProgramivARB target never set",
              FailureText([&] { impl.GLGetProgramivARB(1, 2, values); }));
    EXPECT_EQ("CheckExtension extension never set",
              FailureText([&] { impl.CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM); }));
}

TEST(GPUImplStatic, AStringStoredFromNullAnswersNull) {
    GPUImplStatic impl;
    impl.SetGLString(1, "one");
    impl.SetGLString(1, nullptr);
    EXPECT_EQ(nullptr, impl.GLGetString(1));
}

TEST(GPUImplStatic, NeverWritesMoreThanTheCallersRoom) {
    GPUImplStatic impl;
    const std::vector<int> many(kMaxGLQueryValues + 4, 7);
    impl.SetGLIntegerv(1, many);
    impl.SetGLProgramivARB(2, 3, many);
    GLint values[kMaxGLQueryValues + 1];
    std::fill(values, values + kMaxGLQueryValues + 1, -1);
    impl.GLGetIntegerv(1, values);
    EXPECT_EQ(7, values[kMaxGLQueryValues - 1]);
    EXPECT_EQ(-1, values[kMaxGLQueryValues]);
    impl.GLGetProgramivARB(2, 3, values);
    EXPECT_EQ(-1, values[kMaxGLQueryValues]);
}

TEST(DataItemGPU, PropertiesConvertWhatIsAssignedAndReadBackAsLiterals) {
    DataItemGPU gpu(nullptr);
    gpu.Set("HasGLNPOTSupport", Int(2));
    EXPECT_EQ(kInt, gpu.Get("HasGLNPOTSupport")->Type());
    EXPECT_EQ(1, gpu.Get("HasGLNPOTSupport")->AsInt());
    gpu.Set("CLBandwidth", Int(3));
    EXPECT_EQ(3.0, gpu.ResolveImpl()->GetCLBandwidth());
    gpu.Set("GLVendor", Int(5));
    EXPECT_EQ("5", gpu.ResolveImpl()->GetGLVendor());
    EXPECT_EQ(kString, gpu.Get("GLVendor")->Type());
    EXPECT_EQ("DataItem::DoAsInt not overridden",
              FailureText([&] { gpu.Set("GLMemoryMB", Double(3.5)); }));
    EXPECT_EQ("DataItem::DoAsInt not overridden",
              FailureText([&] { gpu.Set("GLMemoryMB", Text("512")); }));
    EXPECT_EQ(0, gpu.Get("GLMemoryMB")->AsInt());
    EXPECT_EQ("DataItemGPU: assigning no value",
              FailureText([&] { gpu.Set("GLVendor", DataItemPtr()); }));
}

TEST(DataItemGPU, MemberTableNamesAndRefusals) {
    DataItemGPU gpu(nullptr);
    EXPECT_EQ(31, gpu.Size());
    const DataItemEntries entries = gpu.Entries();
    EXPECT_EQ("GLVersion", entries.front().first);
    EXPECT_EQ("glGetString", entries[15].first);
    EXPECT_EQ("glGetProgramivARB", entries[18].first);
    EXPECT_EQ("CLDeviceVersion", entries.back().first);
    EXPECT_EQ(0u, gpu.AsString().find("{GLVersion=\"\", GLMemoryMB=0, GLName=\"\""));

    EXPECT_TRUE(gpu.Has("GLVersion"));
    EXPECT_FALSE(gpu.Has("glGetString"));
    EXPECT_EQ(kMap, gpu.Get("glGetString")->Type());
    EXPECT_FALSE(gpu.Has("glversion"));
    EXPECT_EQ("DataItemGPU: no such member", FailureText([&] { gpu.Get("glversion"); }));
    EXPECT_EQ("DataItemGPU: no such member", FailureText([&] { gpu.Set("Nope", Int(1)); }));
    EXPECT_EQ("DataItemGPU: should not be assigning entire glGetString map",
              FailureText([&] { gpu.Set("glGetString", Int(1)); }));
    for (const char* table : {"glGetIntegerv", "extension", "glGetProgramivARB"})
        EXPECT_EQ("DataItemGPU: no such member", FailureText([&] { gpu.Set(table, Int(1)); }));
}

TEST(DataItemGPU, ResolveImplAppliesTheTablesUnderTheirGputagCodes) {
    boost::shared_ptr<GLGPU> gpu =
        OnlyGLRecord(std::string(kTags) +
                     "glgpu[0].glGetString[GL_VENDOR]=\"V\"\n"
                     "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE]=[8192, 4]\n"
                     "glgpu[0].glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB]"
                     "[GL_MAX_PROGRAM_INSTRUCTIONS_ARB]=[4096]\n"
                     "glgpu[0].extension[Quelt::OGL::GL_ARB_VERTEX_PROGRAM]=1\n"
                     "glgpu[0].glGetString[GL_UNTAGGED]=\"skipped\"\n");
    ASSERT_TRUE(gpu);
    EXPECT_STREQ("V", gpu->GLGetString(7936));
    GLint values[kMaxGLQueryValues] = {};
    gpu->GLGetIntegerv(3379, values);
    EXPECT_EQ(8192, values[0]);
    EXPECT_EQ(4, values[1]);
    gpu->GLGetProgramivARB(34820, 34977, values);
    EXPECT_EQ(4096, values[0]);
    EXPECT_EQ("GLGetProgramivARB target code never set",
              FailureText([&] { gpu->GLGetProgramivARB(34820, 34978, values); }));
    EXPECT_EQ("GLGetString value never set", FailureText([&] { gpu->GLGetString(0); }));
    EXPECT_TRUE(gpu->CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM));
}

TEST(DataItemGPU, WithoutGputagTheTablesStayUnapplied) {
    boost::shared_ptr<GLGPU> gpu = OnlyGLRecord("glgpu[0].glGetString[GL_VENDOR]=\"V\"");
    ASSERT_TRUE(gpu);
    EXPECT_EQ("GLGetString value never set", FailureText([&] { gpu->GLGetString(7936); }));
}

TEST(DataItemGPU, TableEntriesOfTheWrongShapeFailTheRun) {
    const std::string tags(kTags);
    struct Case {
        std::string text;
        const char* failure;
    };
    const Case cases[] = {
        {"gputag[0]=1 glgpu[0].GLName=\"n\"", "Failed requirement: result != NULL"},
        {tags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE]=5",
         "Failed requirement: result != NULL"},
        {tags + "glgpu[0].glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB]=[1]",
         "Failed requirement: result != NULL"},
        {tags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE][2]=5",
         "DataItemGPU: query table entry has no value"},
        {tags + "glgpu[0].glGetIntegerv[GL_MAX_TEXTURE_SIZE]=[\"x\"]",
         "DataItem::DoAsInt not overridden"},
        {"gputag.GL_VENDOR=\"x\" glgpu[0].glGetString[GL_VENDOR]=\"V\"",
         "DataItem::DoAsInt not overridden"},
        {tags + "glgpu[0].glGetString[0]=1",
         "DataItemGPU: should not be assigning entire glGetString map"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.failure) + "\n", ParseFailureText(c.text)) << c.text;
}

TEST(GPUVecStreams, BothOperatorsFail) {
    GPUVec gpus;
    std::ostringstream out;
    EXPECT_EQ("TODO: std::ostream& operator<<(std::ostream& os, const GPUVec& gpus)",
              FailureText([&] { out << gpus; }));
    std::istringstream in;
    EXPECT_EQ("TODO: std::istream& operator>>(std::istream& is, GPUVec& result)",
              FailureText([&] { in >> gpus; }));
}
