// OpenGL answers of the hardware back end, against the fake foundation library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FailureText.h"
#include "FakeQuelt.h"
#include "gpu/GPU.h"
#include "gpu/win/GPUImplWin.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"

using FakeQuelt::GL;
using testing::ElementsAre;

namespace {

const char kGLError[] = "Failed requirement: glStatus == GL_NO_ERROR";

GLenum programivTarget = 0;

void GLAPIENTRY FakeGetProgramiv(GLenum target, GLenum, GLint* params) {
    programivTarget = target;
    FakeQuelt::RaiseCallError();
    params[0] = 72;
}

size_t TotalLength(const std::vector<std::string>& pieces) {
    size_t total = 0;
    for (const std::string& piece : pieces) total += piece.size();
    return total;
}

class HardwareGLTest : public testing::Test {
protected:
    void SetUp() override {
        FakeQuelt::Reset();
        const boost::shared_ptr<Quelt::OGL::Context> context(
            new Quelt::OGL::ContextOffscreen(FakeQuelt::MakeDisplayDevice("GPU0", "Adapter")));
        impl.reset(new GPUImplWin(context, WMIData()));
        gpu.reset(new GLGPU(impl));
    }

    void GetProgramiv() {
        GLint values[kMaxGLQueryValues] = {};
        gpu->GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, GL_MAX_PROGRAM_INSTRUCTIONS_ARB, values);
    }

    boost::shared_ptr<GPUImpl> impl;
    boost::shared_ptr<GLGPU> gpu;
};

TEST_F(HardwareGLTest, VersionIsTheNewestSupportedOne) {
    GL().supported = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ("3.0", gpu->GetVersion());
    GL().supported = {0};
    EXPECT_EQ("1.2", gpu->GetVersion());

    // 1.2.1 is never asked; without any other the version is unknown, silently.
    GL().supported = {1};
    GL().askedExtensions.clear();
    testing::internal::CaptureStderr();
    std::string thrown;
    try {
        gpu->GetVersion();
    } catch (const std::runtime_error& error) {
        thrown = error.what();
    }
    EXPECT_EQ("Cannot determine OGL version", thrown);
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    EXPECT_THAT(GL().askedExtensions, ElementsAre(7, 6, 5, 4, 3, 2, 0));
}

TEST_F(HardwareGLTest, AMissingExtensionManagerFailsTheQueriesThatNeedIt) {
    GL().extensionManagerMissing = true;
    GL().getProgramivARB = FakeGetProgramiv;
    const std::string text = "Quelt::OGL::ExtensionManager::Instance() returned NULL";
    EXPECT_EQ(text, FailureText([&] { gpu->GetVersion(); }));
    EXPECT_EQ(text, FailureText([&] { gpu->HasGLNPOTSupport(); }));
    EXPECT_EQ(text, FailureText([&] { GetProgramiv(); }));
}

TEST_F(HardwareGLTest, EveryDriverQueryIsFollowedByTheErrorTestOfItsOwnErrors) {
    GL().getProgramivARB = FakeGetProgramiv;
    GLint values[kMaxGLQueryValues] = {};
    GL().callErrors = {GL_INVALID_ENUM};
    EXPECT_EQ(kGLError, FailureText([&] { gpu->GLGetString(0x1234); }));
    GL().callErrors = {GL_INVALID_ENUM};
    EXPECT_EQ(kGLError, FailureText([&] { gpu->GLGetIntegerv(0x1234, values); }));
    GL().callErrors = {GL_INVALID_OPERATION};
    EXPECT_EQ(kGLError, FailureText([&] { GetProgramiv(); }));
    GL().callErrors = {GL_INVALID_ENUM};
    EXPECT_EQ(kGLError, FailureText([&] { gpu->GetGLRectTextureSize(); }));

    // Errors an earlier call left pending are not the query's.
    GL().errors = {GL_INVALID_VALUE, GL_INVALID_OPERATION};
    EXPECT_STREQ("", gpu->GLGetString(GL_VENDOR));
    GL().errors = {GL_INVALID_VALUE};
    GetProgramiv();
    // A glGetError that never clears ends the clearing, and the query fails.
    GL().errors = std::deque<GLenum>(100, GL_INVALID_OPERATION);
    EXPECT_EQ(kGLError, FailureText([&] { gpu->GLGetIntegerv(0x1234, values); }));

    GL().getProgramivARB = nullptr;
    EXPECT_EQ("Failed requirement: glGetProgramivARB != NULL",
              FailureText([&] { GetProgramiv(); }));
}

TEST_F(HardwareGLTest, AnswersComeFromTheDriverOnTheBackEndsOwnContext) {
    GL().strings[GL_VENDOR] = "Mesa/X.org";
    GL().strings[GL_RENDERER] = "llvmpipe (LLVM 15.0.6, 256 bits)";
    GL().integers[GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB] = {16384};
    GL().supported = {Quelt::OGL::GL_ARB_TEXTURE_NON_POWER_OF_TWO};
    GL().getProgramivARB = FakeGetProgramiv;
    const boost::shared_ptr<Quelt::OGL::Context> other(
        new Quelt::OGL::ContextOffscreen(FakeQuelt::MakeDisplayDevice("GPU1", "Adapter")));
    other->makeCurrent();

    EXPECT_EQ("Mesa/X.org", gpu->GetVendor());
    EXPECT_EQ("llvmpipe (LLVM 15.0.6, 256 bits)", gpu->GetName());
    EXPECT_EQ(gpu->GetName(), impl->GetGLName());
    EXPECT_EQ(16384, gpu->GetGLRectTextureSize());
    EXPECT_TRUE(gpu->HasGLNPOTSupport());
    GLint values[kMaxGLQueryValues] = {};
    gpu->GLGetProgramivARB(GL_FRAGMENT_PROGRAM_ARB, GL_MAX_PROGRAM_INSTRUCTIONS_ARB, values);
    EXPECT_EQ(72, values[0]);
    EXPECT_EQ(static_cast<GLenum>(GL_FRAGMENT_PROGRAM_ARB), programivTarget);

    EXPECT_THAT(GL().queriedOn, testing::Each(testing::Eq("GPU0")));
    EXPECT_EQ("GPU1", GL().current);
}

TEST_F(HardwareGLTest, ANullDriverTextIsEmpty) {
    EXPECT_EQ("", gpu->GetVendor());
    EXPECT_EQ("", gpu->GetName());
    EXPECT_STREQ("", gpu->GLGetString(GL_EXTENSIONS));
}

TEST_F(HardwareGLTest, GLSLTestCompilesTheLayerShadersAndAnswersFalseOnRefusal) {
    EXPECT_TRUE(gpu->CanCompileProgramGLSL());
    EXPECT_EQ(13u, GL().vertexPieces.size());
    EXPECT_EQ(77u, GL().fragmentPieces.size());
    EXPECT_EQ(288u, TotalLength(GL().vertexPieces));
    EXPECT_EQ(2642u, TotalLength(GL().fragmentPieces));
    EXPECT_FALSE(GL().piecesHadLengths);
    EXPECT_TRUE(GL().linkedWithCheck);

    GL().compileFails = true;
    EXPECT_FALSE(gpu->CanCompileProgramGLSL());
    GL().compileFails = false;
    GL().linkFails = true;
    EXPECT_FALSE(gpu->CanCompileProgramGLSL());
}

TEST_F(HardwareGLTest, FramebufferTestAnswersFromTheErrorStateAfterTheClear) {
    GL().errors = {GL_INVALID_VALUE};
    EXPECT_TRUE(gpu->GetGLFrameBufferOK()) << "an error left pending before the test";
    EXPECT_THAT(GL().clearColor, ElementsAre(255.0f, 255.0f, 255.0f, 255.0f));
    GL().callErrors = {GL_INVALID_FRAMEBUFFER_OPERATION};
    EXPECT_FALSE(gpu->GetGLFrameBufferOK());
    GL().textureFails = true;
    EXPECT_FALSE(gpu->GetGLFrameBufferOK());
}

}  // namespace
