// The OpenGL functions the library offers its users forward to the driver it
// loaded. Nothing in this executable loads one, so they must answer as OpenGL
// does without a context and crash nothing.
#include <gtest/gtest.h>

#include "quelt/quelt_ogl/OpenGL.h"

namespace {

TEST(GLFunctionsTest, WithoutADriverTheyAnswerEmptyAndCrashNothing) {
    EXPECT_STREQ("", reinterpret_cast<const char*>(glGetString(GL_VENDOR)));
    EXPECT_EQ(static_cast<GLenum>(GL_INVALID_OPERATION), glGetError());
    GLint size = 7;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    EXPECT_EQ(7, size);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace
