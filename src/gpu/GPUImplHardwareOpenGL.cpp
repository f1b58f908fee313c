#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "failure/FailRequirement.h"
#include "gpu/FramebufferTest.h"
#include "gpu/GLSLTestProgram.h"
#include "gpu/GPUImplHardware.h"
#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"

// gpu/GLTypes.h names OpenGL's types for the records without including OpenGL; here,
// with OpenGL's own header, a repeated typedef must agree, and the sizes must be
// those OpenGL fixes, whatever the platform.
static_assert(sizeof(GLenum) == 4 && sizeof(GLint) == 4, "OpenGL's GLenum and GLint are 32 bits");

namespace {

using Quelt::OGL::OpenGLExtension;

const char kNoExtensionManager[] = "Quelt::OGL::ExtensionManager::Instance() returned NULL";
const char kNoProgramivEntry[] = "Failed requirement: glGetProgramivARB != NULL";

// Versions are reported by the newest one the context supports. 1.2.1 is not a
// version of its own in the report.
struct GLVersionEntry {
    OpenGLExtension extension;
    const char* text;
};

const GLVersionEntry kGLVersions[] = {
    {Quelt::OGL::OGL_VERSION_3_0, "3.0"}, {Quelt::OGL::OGL_VERSION_2_1, "2.1"},
    {Quelt::OGL::OGL_VERSION_2_0, "2.0"}, {Quelt::OGL::OGL_VERSION_1_5, "1.5"},
    {Quelt::OGL::OGL_VERSION_1_4, "1.4"}, {Quelt::OGL::OGL_VERSION_1_3, "1.3"},
    {Quelt::OGL::OGL_VERSION_1_2, "1.2"},
};

// Makes the back end's context current for one operation; the wrapper puts back
// whatever was current before when the operation ends.
class ScopedGLContext {
public:
    explicit ScopedGLContext(const boost::shared_ptr<Quelt::OGL::Context>& context)
        : wrapper(new Quelt::OGL::ScopedContextWrapper) {
        context->makeCurrent();
    }

private:
    boost::shared_ptr<Quelt::OGL::ScopedContextWrapper> wrapper;
};

// The same, for operations that ask the context's extension manager.
class ScopedGLExtensionContext : public ScopedGLContext {
public:
    explicit ScopedGLExtensionContext(const boost::shared_ptr<Quelt::OGL::Context>& context)
        : ScopedGLContext(context), extensions(Quelt::OGL::ExtensionManager::Instance()) {
        if (extensions == nullptr) FailRequirement(kNoExtensionManager);
    }

    bool IsSupported(OpenGLExtension extension) const { return extensions->isSupported(extension); }

private:
    Quelt::OGL::ExtensionManager* extensions;
};

// OpenGL keeps one flag per kind of error, so a few reads clear whatever
// earlier calls left pending; a broken glGetError may never answer
// GL_NO_ERROR, so the reads stop after this many and the error test that
// follows fails.
const int kMaxPendingGLErrors = 16;

// Drops the errors earlier calls left pending, so that the error test after a
// query charges the query with its own errors only.
void ClearGLErrors() {
    int reads = 0;
    while (reads < kMaxPendingGLErrors && glGetError() != GL_NO_ERROR) ++reads;
}

void RequireNoGLError() {
    if (glGetError() != GL_NO_ERROR) FailRequirement("Failed requirement: glStatus == GL_NO_ERROR");
}

// A driver may answer a text query with null; that reads as no text at all.
const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

// Driver texts are at most some kilobytes. One that does not end within this many
// bytes is a broken answer: reading on would run through the driver's memory, and
// cut, it would no longer be the driver's text.
const size_t kMaxGLTextBytes = 1048576;

// The driver's text, once it is known to end within kMaxGLTextBytes.
const char* BoundedGLText(GLenum name, const char* text) {
    // memchr reads no further than the NUL it finds.
    if (std::memchr(text, '\0', kMaxGLTextBytes + 1) == nullptr) {
        char query[32];
        std::snprintf(query, sizeof query, "glGetString(0x%04X)", static_cast<unsigned>(name));
        FailRequirement((std::string(query) + " answered a text longer than " +
                         std::to_string(kMaxGLTextBytes) + " bytes")
                            .c_str());
    }
    return text;
}

}  // namespace

std::string GPUImplHardware::DoGetGLVersion() {
    ScopedGLExtensionContext scope(context);
    for (const GLVersionEntry& version : kGLVersions) {
        if (scope.IsSupported(version.extension)) return version.text;
    }
    throw std::runtime_error("Cannot determine OGL version");
}

std::string GPUImplHardware::DoGetGLName() { return DoGetGLRenderer(); }

std::string GPUImplHardware::DoGetGLVendor() { return TextOrEmpty(GLGetString(GL_VENDOR)); }

std::string GPUImplHardware::DoGetGLRenderer() { return TextOrEmpty(GLGetString(GL_RENDERER)); }

int GPUImplHardware::DoGetGLRectTextureSize() {
    // Room for as many values as any back end's glGetIntegerv may write.
    GLint values[kMaxGLQueryValues] = {};
    GLGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB, values);
    return values[0];
}

bool GPUImplHardware::DoHasGLNPOTSupport() {
    return DoCheckExtension(Quelt::OGL::GL_ARB_TEXTURE_NON_POWER_OF_TWO);
}

bool GPUImplHardware::DoCheckExtension(OpenGLExtension extension) {
    return ScopedGLExtensionContext(context).IsSupported(extension);
}

const char* GPUImplHardware::DoGLGetString(GLenum name) {
    ScopedGLContext scope(context);
    ClearGLErrors();
    const char* text = reinterpret_cast<const char*>(glGetString(name));
    RequireNoGLError();
    return BoundedGLText(name, TextOrEmpty(text));
}

void GPUImplHardware::DoGLGetIntegerv(GLenum pname, GLint* params) {
    ScopedGLContext scope(context);
    ClearGLErrors();
    glGetIntegerv(pname, params);
    RequireNoGLError();
}

void GPUImplHardware::DoGLGetProgramivARB(GLenum target, GLenum pname, GLint* params) {
    ScopedGLContext scope(context);
    const Quelt::OGL::ExtensionManager* extensions = Quelt::OGL::ExtensionManager::Instance();
    if (extensions == nullptr) FailRequirement(kNoExtensionManager);
    const PFNGLGETPROGRAMIVARBPROC getProgramiv = extensions->table().glGetProgramivARB;
    if (getProgramiv == nullptr) FailRequirement(kNoProgramivEntry);
    ClearGLErrors();
    getProgramiv(target, pname, params);
    RequireNoGLError();
}

bool GPUImplHardware::DoCanCompileProgramGLSL() {
    try {
        ScopedGLContext scope(context);
        LinkGLSLTestProgram();
        return true;
    } catch (const Quelt::ExceptionBase&) {
        return false;
    }
}

bool GPUImplHardware::DoGetGLFrameBufferOK() {
    try {
        ScopedGLContext scope(context);
        ClearGLErrors();
        return ClearTextureThroughFramebuffer();
    } catch (const Quelt::ExceptionBase&) {
        return false;
    }
}
