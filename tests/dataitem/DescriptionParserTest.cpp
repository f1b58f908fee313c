#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "ParseFailureText.h"
#include "dataitem/DataItemArray.h"
#include "dataitem/DescriptionParser.h"
#include "gpu/GPU.h"

namespace {

// The printed form of a top-level variable after reading text, or "unset".
std::string Variable(const std::string& text, const std::string& name) {
    DescriptionParser parser;
    parser.Parse(text);
    DataItemPtr item;
    return parser.Lookup(name, item) ? item->AsString() : "unset";
}

struct Token {
    int code;
    std::string text;
    std::string rest;
};

Token Next(const char* input) {
    std::string text;
    const int code = DescriptionParser::NextToken(input, &text);
    return Token{code, text, input};
}

struct Number {
    int kind;
    int intValue;
    double doubleValue;
    std::string text;
    std::string rest;
};

Number ReadNumber(const char* input) {
    Number number{0, 0, 0.0, "", ""};
    number.kind =
        DescriptionParser::ParseNumber(input, number.intValue, number.doubleValue, &number.text);
    number.rest = input;
    return number;
}

}  // namespace

TEST(DescriptionTokenizer, NamesTakeDoubleColonsButStopAtOneColon) {
    Token name = Next("  Quelt::OGL::GL_ARB_VERTEX_PROGRAM=198");
    EXPECT_EQ(DescriptionParser::kTokName, name.code);
    EXPECT_EQ("Quelt::OGL::GL_ARB_VERTEX_PROGRAM", name.text);
    EXPECT_EQ("a", Next("a:b").text);
    EXPECT_EQ(":b", Next("a:b").rest);
    EXPECT_EQ("_x1", Next("_x1.").text);
}

TEST(DescriptionTokenizer, QuotedTextsDropBackslashesAndFailUnterminated) {
    EXPECT_EQ("it's", Next("'it\\'s'").text);
    EXPECT_EQ("say \"hi\"", Next("\"say \\\"hi\\\"\"").text);
    EXPECT_EQ("n", Next("\"\\n\"").text);
    EXPECT_EQ("", Next("\"\"x").text);
    EXPECT_EQ("x", Next("\"\"x").rest);
    Token open = Next(" \"abc");
    EXPECT_EQ(DescriptionParser::kTokNone, open.code);
    EXPECT_EQ(" \"abc", open.rest);
    // A backslash at the very end must not carry the reader past the text.
    EXPECT_EQ(DescriptionParser::kTokNone, Next("\"abc\\").code);
}

TEST(DescriptionTokenizer, BytesAboveAsciiAreNeitherSpaceLetterNorDigit) {
    EXPECT_EQ(DescriptionParser::kTokNone, Next("\xA0x").code);
    EXPECT_EQ(DescriptionParser::kTokNone, Next("\xC3\xA9t\xC3\xA9").code);
    EXPECT_EQ("t", Next("t\xC3\xA9").text);
    int intValue = 0;
    double doubleValue = 0;
    const char* text =
        "\x85"
        "5";
    EXPECT_EQ(0, DescriptionParser::ParseNumber(text, intValue, doubleValue));
}

TEST(DescriptionNumbers, IntegersInAllTheirForms) {
    struct Case {
        const char* input;
        int value;
        const char* rest;
    };
    const Case cases[] = {
        {"0x10", 16, ""},       {"0XfF", 255, ""},
        {"010", 8, ""},         {"018", 18, ""},
        {"019", 19, ""},        {"0", 0, ""},
        {"4294967295", -1, ""}, {"-5", -5, ""},
        {"-0x10", -16, ""},     {"-2147483648", INT_MIN, ""},
        {"1e", 1, "e"},         {"1e+x", 1, "e+x"},
        {"0x", 0, "x"},         {"7abc", 7, "abc"},
    };
    for (const Case& c : cases) {
        Number number = ReadNumber(c.input);
        EXPECT_EQ(1, number.kind) << c.input;
        EXPECT_EQ(c.value, number.intValue) << c.input;
        EXPECT_EQ(c.rest, number.rest) << c.input;
    }
}

TEST(DescriptionNumbers, DoublesFromPointsAndExponents) {
    struct Case {
        const char* input;
        double value;
    };
    const Case cases[] = {{"1.", 1.0},    {"1e3", 1000.0},      {"2E-2", 0.02},
                          {"-2.5", -2.5}, {"017.5", 17.5},      {"1.5e+006", 1.5e6},
                          {"0.25", 0.25}, {"5000000000.0", 5e9}};
    for (const Case& c : cases) {
        Number number = ReadNumber(c.input);
        EXPECT_EQ(2, number.kind) << c.input;
        EXPECT_DOUBLE_EQ(c.value, number.doubleValue) << c.input;
        EXPECT_EQ("", number.rest) << c.input;
    }
    EXPECT_TRUE(std::isinf(ReadNumber("1e99999999999999").doubleValue));
}

TEST(DescriptionNumbers, NoNumberConsumesNothingAndTextIncludesLeadingSpace) {
    EXPECT_EQ(0, ReadNumber("- 5").kind);
    EXPECT_EQ("- 5", ReadNumber("- 5").rest);
    EXPECT_EQ("  42", ReadNumber("  42,").text);
}

TEST(DescriptionGrammar, StatementsShareLinesSpanLinesAndSkipWhatIsNotRead) {
    EXPECT_EQ("2", Variable("a=1 b=2", "b"));
    EXPECT_EQ("1", Variable("a=1; b=2", "a"));
    EXPECT_EQ("unset", Variable("a=1; b=2", "b"));
    EXPECT_EQ("3", Variable("a\n=\n3", "a"));
    EXPECT_EQ("unset", Variable("# a=1\n", "a"));
    EXPECT_EQ("2", Variable("# log line\r\nb=2\r\n", "b"));
    EXPECT_EQ("-5", Variable("x=-5", "x"));
    EXPECT_EQ("unset", Variable("x=- 5", "x"));
    EXPECT_EQ("unset", Variable("x=name", "x"));
    EXPECT_EQ("1", Variable("x=1e y=2", "x"));
    EXPECT_EQ("unset", Variable("x=1e y=2", "y"));
    EXPECT_EQ("it's", Variable("x='it\\'s'", "x"));
}

TEST(DescriptionGrammar, ReportTextsEndAtAnInnerQuoteAndLoseBackslashes) {
    EXPECT_EQ("A", Variable("x=\"A\"B\" y=1\nz=2", "x"));
    EXPECT_EQ("unset", Variable("x=\"A\"B\" y=1\nz=2", "y"));
    EXPECT_EQ("2", Variable("x=\"A\"B\" y=1\nz=2", "z"));
    EXPECT_EQ("C:Windowsa.dll", Variable("x=\"C:\\Windows\\a.dll\"", "x"));
    // An unterminated text costs its own line only.
    EXPECT_EQ("unset", Variable("x=\"open\ny=1", "x"));
    EXPECT_EQ("1", Variable("x=\"open\ny=1", "y"));
}

TEST(DescriptionTargets, SelectorsMakeOrReplaceContainersByKind) {
    EXPECT_EQ("{, , 7}", Variable("a[2]=7", "a"));
    EXPECT_EQ("{2}", Variable("a.b=1\na[0]=2", "a"));
    EXPECT_EQ("{b=1}", Variable("a[b]=1", "a"));
    EXPECT_EQ("{b=2}", Variable("a=1 a.b=2", "a"));
    EXPECT_EQ("{, {x=1}}", Variable("a [ 0x1 ] . x = 1", "a"));
    // Containers made before the statement fails stay.
    EXPECT_EQ("{b={}}", Variable("a.b.c x", "a"));
}

TEST(DescriptionTargets, GPUItemsAppearOnlyUnderGlgpuAndClgpu) {
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse("glgpu.GLVendor=\"N\"\nxglgpu.GLVendor=1");
    ASSERT_EQ(1u, result.GetGPUs().size());
    EXPECT_EQ("N", result.GetGPUs()[0]->GetVendor());
    DataItemPtr other;
    ASSERT_TRUE(parser.Lookup("xglgpu", other));
    EXPECT_EQ("{GLVendor=1}", other->AsString());
}

TEST(DescriptionLiterals, MapsAndArraysNestAndAcceptTrailingCommas) {
    EXPECT_EQ("{a=1, b={c={1, 2.5, \"t\"}}}", Variable("x={a=1, b={c=[1, 2.5, \"t\"]}}", "x"));
    EXPECT_EQ("{}", Variable("x={a b}", "x"));
    EXPECT_EQ("{a=1}", Variable("x={a=1,}", "x"));
    EXPECT_EQ("{a=2, b=3}", Variable("x={a=1, b=3, a=2}", "x"));
    EXPECT_EQ("{1}", Variable("x=[1,]", "x"));
    EXPECT_EQ("{}", Variable("x=[]", "x"));
    EXPECT_EQ("unset", Variable("x={a=1 b=2}", "x"));
    EXPECT_EQ("unset", Variable("x=[1 2]", "x"));
}

TEST(DescriptionLiterals, LiteralsThatReadNothingEndAsFailed) {
    for (const char* text : {"x={1}", "x={", "x=[", "x=[a]", "x=[1,", "x={a=1,", "x=[;]"})
        EXPECT_EQ("unset", Variable(std::string(text) + "\ny=1", "x")) << text;
    EXPECT_EQ("1", Variable("x={1}\ny=1", "y"));
}

TEST(DescriptionLiterals, NestingIsBoundedWithoutExhaustingTheStack) {
    const int limit = DescriptionParser::kMaxNesting;
    const std::string deepest = std::string(limit, '[') + "1" + std::string(limit, ']');
    EXPECT_NE("unset", Variable("x=" + deepest, "x"));
    EXPECT_EQ("unset", Variable("x=[" + deepest + "]", "x"));
    EXPECT_EQ("unset", Variable("x=" + std::string(200000, '['), "x"));
    std::string maps;
    for (int i = 0; i < 100000; ++i) maps += "{a=";
    EXPECT_EQ("unset", Variable("x=" + maps, "x"));
}

TEST(DescriptionTargets, SelectorChainsAreBounded) {
    std::string longest = "a";
    for (int i = 0; i < DescriptionParser::kMaxNesting; ++i) longest += "[0]";
    EXPECT_EQ("1", Variable("b=1 " + longest + "=2", "b"));
    EXPECT_NE("unset", Variable(longest + "=2", "a"));
    EXPECT_EQ("unset", Variable(longest + "[0]=2 b=1", "b"));
    std::string hostile = "a";
    for (int i = 0; i < 100000; ++i) hostile += ".b";
    EXPECT_EQ("1", Variable(hostile + "=1\nc=1", "c"));
}

TEST(DescriptionParse, EmptyOrCommentOnlyTextGivesNoRecords) {
    DescriptionParser parser;
    for (const char* text : {"", "  \n\t", "# only\n  # comments\n"})
        EXPECT_TRUE(parser.Parse(text).GetGPUs().empty());
}

TEST(DescriptionParse, AFailureAnywhereGivesNoRecordsAndOneLineOnStandardError) {
    std::string text;
    for (int i = 0; i < 9; ++i) text += "glgpu[" + std::to_string(i) + "].GLVendor=\"v\"\n";
    EXPECT_EQ("DataItemGPU: no such member\n",
              ParseFailureText(text + "glgpu[0].NoSuchName=1\nclgpu[0].CLName=\"c\"\n"));
    // A new run starts with no variables of the old one.
    DescriptionParser parser;
    parser.Parse(text);
    parser.Parse("");
    DataItemPtr old;
    EXPECT_FALSE(parser.Lookup("glgpu", old));
}

TEST(DescriptionParse, IndexesMayNotMakeMoreRoomThanTheTextCanFill) {
    const char* const kTooMuch =
        "DescriptionParser: array indexes reach beyond what the text can fill\n";
    // Past 32 bits an index must not wrap onto a small one.
    for (const char* index :
         {"4294967295", "99999999999999999999", "2147483648", "4294967296", "0x100000001"}) {
        EXPECT_EQ(kTooMuch,
                  ParseFailureText(std::string("glgpu[0].GLName=\"n\" a[") + index + "]=1"));
    }
    // One big gap is fine; many short statements that each open one are not.
    DescriptionParser parser;
    parser.Parse("a[60000]=1");
    DataItemPtr a;
    ASSERT_TRUE(parser.Lookup("a", a));
    EXPECT_EQ(60001, a->AsArray()->Size());
    std::string many;
    for (int i = 0; i < 40; ++i) many += "a" + std::to_string(i) + "[60000]=1\n";
    EXPECT_EQ(kTooMuch, ParseFailureText(many));
}

TEST(DescriptionParse, ASelectorAfterAGPUPropertyFails) {
    // Whatever the property's kind, the same refusal, not a conversion failure.
    for (const char* text :
         {"glgpu[0].GLName.x=1", "glgpu[0].GLName[0]=1", "clgpu.CLName[x]=1",
          "glgpu[0].GLMemoryMB.x=1", "glgpu[0].HasGLNPOTSupport[x]=1", "clgpu[0].CLBandwidth[0]=1"})
        EXPECT_EQ("DataItemGPU: no such member\n",
                  ParseFailureText(std::string("glgpu[1].GLName=\"n\"\n") + text));
}

TEST(DescriptionParse, OnlyGPUItemsBecomeRecords) {
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse("glgpu[0]=5\nglgpu[3].GLVendor=\"V\"\nglgpu[2]={a=1}");
    ASSERT_EQ(1u, result.GetGPUs().size());
    EXPECT_EQ("V", result.GetGPUs()[0]->GetVendor());
    EXPECT_TRUE(parser.Parse("glgpu=5 clgpu={CLName=\"c\"}").GetCLGPUs().empty());
}
