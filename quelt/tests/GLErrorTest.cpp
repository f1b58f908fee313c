// Before a call whose error is read, the library drops the errors earlier
// calls left pending; a driver whose glGetError never clears must not keep it
// reading.
#include <gtest/gtest.h>

#include <deque>

#include "quelt/src/ogl/GLError.h"

namespace {

std::deque<GLenum> pending;
int reads = 0;

GLenum APIENTRY PendingErrors() {
    ++reads;
    if (pending.empty()) return GL_NO_ERROR;
    const GLenum error = pending.front();
    pending.pop_front();
    return error;
}

// Says GL_NO_ERROR only after a thousand reads, so that a reader without a
// bound ends too.
GLenum APIENTRY NeverClears() { return ++reads < 1000 ? GL_INVALID_OPERATION : GL_NO_ERROR; }

TEST(GLErrorTest, ClearingReadsWhatIsPendingAndStopsWhereTheDriverNeverClears) {
    Quelt::OGL::GLEntryPoints gl{};
    gl.getError = PendingErrors;
    pending = {GL_INVALID_VALUE, GL_INVALID_ENUM};
    Quelt::OGL::clearGLErrors(gl);
    EXPECT_TRUE(pending.empty());
    EXPECT_EQ(3, reads);

    gl.getError = NeverClears;
    reads = 0;
    Quelt::OGL::clearGLErrors(gl);
    EXPECT_EQ(Quelt::OGL::maxPendingErrors, reads);
}

}  // namespace
