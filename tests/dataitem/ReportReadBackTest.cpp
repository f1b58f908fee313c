#include <gtest/gtest.h>

#include "dataitem/DescriptionParser.h"
#include "gpu/GPU.h"

namespace {

// A host tester's report of two OpenGL GPUs and one OpenCL GPU, with log lines and a
// renderer name that holds a comma and parentheses, as the probe writes it.
const char kReport[] =
    "Tester=\"Velmora\"\n"
    "trovexStart=\"2026-12-04_09:05:07\"\n"
    "# 2026-12-04 09:05:07.123456 GPUTrovex: enumerating\n"
    "QueltCoreInitialized=1\n"
    "NumGLGPUs=2\n"
    "glgpu[0].GLVersion=\"4.5 (Compatibility Profile) Mesa 22.3.6\"\n"
    "glgpu[1].GLVersion=\"3.0\"\n"
    "glgpu[0].GLName=\"llvmpipe (LLVM 15.0.6, 256 bits)\"\n"
    "glgpu[0].GLMemoryMB=4294967295\n"
    "glgpu[1].GLMemoryMB=512\n"
    "glgpu[0].GLVendor=\"Mesa/X.org\"\n"
    "glgpu[0].GLVendorID=4318\n"
    "glgpu[0].GLRenderer=\"llvmpipe (LLVM 15.0.6, 256 bits)\"\n"
    "glgpu[0].HasGLNPOTSupport=1\n"
    "glgpu[0].GLDriverDate=\"\"\n"
    "glgpu[0].CanCompileProgramGLSL=1\n"
    "glgpu[0].GLFrameBufferOK=0\n"
    "gputag.GL_SHADING_LANGUAGE_VERSION=35724\n"
    "glgpu[0].glGetString[GL_SHADING_LANGUAGE_VERSION]=\"4.50\"\n"
    "gputag.GL_SHADING_LANGUAGE_VERSION=35724\n"
    "glgpu[1].glGetString[GL_SHADING_LANGUAGE_VERSION]=\"1.30\"\n"
    "gputag.GL_FRAGMENT_PROGRAM_ARB=34820\n"
    "gputag.GL_MAX_PROGRAM_INSTRUCTIONS_ARB=34977\n"
    "glgpu[0].glGetProgramivARB[GL_FRAGMENT_PROGRAM_ARB][GL_MAX_PROGRAM_INSTRUCTIONS_ARB]=[16384]\n"
    "gputag.GL_MAX_VIEWPORT_DIMS=3386\n"
    "glgpu[0].glGetIntegerv[GL_MAX_VIEWPORT_DIMS]=[16384, 16384]\n"
    "gputag.Quelt::OGL::GL_ARB_VERTEX_PROGRAM=198\n"
    "glgpu[0].extension[Quelt::OGL::GL_ARB_VERTEX_PROGRAM]=1\n"
    "gputag.Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT=255\n"
    "glgpu[0].extension[Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT]=0\n"
    "NumCLGPUs=1\n"
    "clgpu[0].CLPlatformVersion=\"3.0 PoCL 3.1+debian\"\n"
    "clgpu[0].CLDeviceVersion=\"3.0 PoCL\"\n"
    "clgpu[0].CLMemoryMB=2048\n"
    "clgpu[0].CLName=\"cpu-haswell-AMD EPYC\"\n"
    "clgpu[0].CLVendorID=4098\n"
    "clgpu[0].CUDASupported=0\n"
    "clgpu[0].CLCompute=1.5e+006\n"
    "trovexEnd=\"2026-12-04_09:05:09\"\n";

}  // namespace

TEST(ReportReadBack, RecordsAnswerWhatTheReportSays) {
    DescriptionParser parser;
    GPUImplStatic result = parser.Parse(kReport);
    const GLGPUVec gl = result.GetGPUs();
    const CLGPUVec cl = result.GetCLGPUs();
    ASSERT_EQ(2u, gl.size());
    ASSERT_EQ(1u, cl.size());

    EXPECT_EQ("4.5 (Compatibility Profile) Mesa 22.3.6", gl[0]->GetVersion());
    EXPECT_EQ("3.0", gl[1]->GetVersion());
    EXPECT_EQ(-1, gl[0]->GetMemoryMB());
    EXPECT_EQ(512, gl[1]->GetMemoryMB());
    EXPECT_EQ("Mesa/X.org", gl[0]->GetVendor());
    EXPECT_EQ(4318, gl[0]->GetVendorID());
    EXPECT_EQ("llvmpipe (LLVM 15.0.6, 256 bits)", gl[0]->GetName());
    EXPECT_TRUE(gl[0]->HasGLNPOTSupport());
    EXPECT_FALSE(gl[1]->HasGLNPOTSupport());
    EXPECT_EQ("", gl[0]->GetGLDriverDate());
    EXPECT_TRUE(gl[0]->CanCompileProgramGLSL());
    EXPECT_FALSE(gl[0]->GetGLFrameBufferOK());

    EXPECT_STREQ("4.50", gl[0]->GLGetString(GL_SHADING_LANGUAGE_VERSION));
    EXPECT_STREQ("1.30", gl[1]->GLGetString(GL_SHADING_LANGUAGE_VERSION));
    GLint values[kMaxGLQueryValues] = {};
    gl[0]->GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, GL_MAX_PROGRAM_INSTRUCTIONS_ARB, values);
    EXPECT_EQ(16384, values[0]);
    gl[0]->GLGetIntegerv(GL_MAX_VIEWPORT_DIMS, values);
    EXPECT_EQ(16384, values[1]);
    EXPECT_TRUE(gl[0]->CheckExtension(Quelt::OGL::GL_ARB_VERTEX_PROGRAM));
    EXPECT_FALSE(gl[0]->CheckExtension(Quelt::OGL::GL_EXT_FRAMEBUFFER_OBJECT));

    EXPECT_EQ("3.0 PoCL 3.1+debian", cl[0]->GetVersion());
    EXPECT_EQ("3.0 PoCL", cl[0]->GetCLDeviceVersion());
    EXPECT_EQ(2048, cl[0]->GetMemoryMB());
    EXPECT_EQ("cpu-haswell-AMD EPYC", cl[0]->GetName());
    EXPECT_FALSE(cl[0]->GetCUDASupported());
    EXPECT_EQ(1.5e6, cl[0]->GetCLCompute());

    // The framing and counting lines are plain variables.
    DataItemPtr count;
    ASSERT_TRUE(parser.Lookup("NumGLGPUs", count));
    EXPECT_EQ(2, count->AsInt());
}
