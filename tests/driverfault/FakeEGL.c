// A libEGL.so.1 for tests: it passes every call the program makes to the real
// EGL library (TROVEX_REAL_EGL, an absolute path) and alters the answers that
// TROVEX_DRIVER_FAULT names (see DriverFault.h). OpenGL functions come through
// eglGetProcAddress, so the ones whose answers tests alter are handed out
// wrapped.
#define EGL_NO_X11
#define EGL_EGLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <string.h>

#include "DriverFault.h"

// Declares real_<name>, the real library's function, looked up once.
#define REAL(name)                        \
    static __typeof__(&name) real_##name; \
    if (real_##name == NULL) real_##name = (__typeof__(&name))realSymbol(TROVEX_REAL_EGL, #name)

// ---- OpenGL ---------------------------------------------------------------

// An error the fake leaves pending: glGetError answers it before the driver's.
static GLenum pendingError = GL_NO_ERROR;

static void afterCall(const struct DriverFault* fault) {
    if (faultIs(fault, FAULT_ERROR)) pendingError = (GLenum)fault->value;
}

static void alterValues(const struct DriverFault* fault, GLint* params) {
    afterCall(fault);
    if (faultIs(fault, FAULT_ANSWER)) params[0] = (GLint)fault->value;
    // Through memset, which a sanitizer build checks: this library is not
    // instrumented itself.
    if (faultIs(fault, FAULT_VALUES) && fault->value > 1) {
        memset(params + 1, FILLER, (fault->value - 1) * sizeof(GLint));
    }
}

// The word of list at index, allocated and kept; null past the last.
static const GLubyte* wordAt(const char* list, GLuint index) {
    for (const char* p = list + strspn(list, " "); *p != '\0'; p += strspn(p, " ")) {
        const size_t length = strcspn(p, " ");
        if (index-- == 0) return (const GLubyte*)strndup(p, length);
        p += length;
    }
    return NULL;
}

// The functions whose answers faults alter: eglGetProcAddress hands out
// fake_<name> in their place.
// clang-format off
#define WRAPPED(X)                                                                              \
    X(glGetString) X(glGetStringi) X(glGetIntegerv) X(glGetError) X(glClear) X(glGetShaderiv) \
    X(glGetProgramiv) X(glGetProgramivARB) X(eglQueryDevicesEXT)
// clang-format on

// The driver's functions behind the wrappers, set when eglGetProcAddress
// hands a wrapper out.
#define DRIVER(function) static __typeof__(&function) real_##function;
WRAPPED(DRIVER)

static const GLubyte* APIENTRY fake_glGetString(GLenum name) {
    const struct DriverFault* fault = driverFault("glGetString", name);
    const GLubyte* text = real_glGetString(name);
    afterCall(fault);
    return (const GLubyte*)faultText(fault, (const char*)text);
}

static const GLubyte* APIENTRY fake_glGetStringi(GLenum name, GLuint index) {
    const struct DriverFault* fault = driverFault("glGetStringi", name);
    const GLubyte* text = real_glGetStringi(name, index);
    afterCall(fault);
    if (faultIs(fault, FAULT_TEXT)) return wordAt(fault->text, index);
    if (faultIs(fault, FAULT_LONG)) return (const GLubyte*)longFaultText(fault->value, index);
    return (const GLubyte*)faultText(fault, (const char*)text);
}

// A single-value query whose answer a fault alters.
#define VALUES(function, parameters, arguments)                          \
    static void APIENTRY fake_##function parameters {                    \
        const struct DriverFault* fault = driverFault(#function, pname); \
        real_##function arguments;                                       \
        alterValues(fault, params);                                      \
    }

VALUES(glGetIntegerv, (GLenum pname, GLint* params), (pname, params))
VALUES(glGetProgramivARB, (GLenum target, GLenum pname, GLint* params), (target, pname, params))
VALUES(glGetShaderiv, (GLuint object, GLenum pname, GLint* params), (object, pname, params))
VALUES(glGetProgramiv, (GLuint object, GLenum pname, GLint* params), (object, pname, params))

static void APIENTRY fake_glClear(GLbitfield mask) {
    real_glClear(mask);
    afterCall(driverFault("glClear", FAULT_NO_SELECTOR));
}

// answer:E makes glGetError say E every time, as a broken driver might.
static GLenum APIENTRY fake_glGetError(void) {
    const struct DriverFault* fault = driverFault("glGetError", FAULT_NO_SELECTOR);
    if (faultIs(fault, FAULT_ANSWER)) return (GLenum)fault->value;
    const GLenum error = pendingError != GL_NO_ERROR ? pendingError : real_glGetError();
    pendingError = GL_NO_ERROR;
    return error;
}

static EGLBoolean EGLAPIENTRY fake_eglQueryDevicesEXT(EGLint size, EGLDeviceEXT* devices,
                                                      EGLint* count) {
    CHECK_RULE("eglQueryDevicesEXT", count == NULL || (devices != NULL && size <= 0));
    const struct DriverFault* fault = driverFault("eglQueryDevicesEXT", FAULT_NO_SELECTOR);
    if (faultIs(fault, FAULT_FAIL)) return EGL_FALSE;
    const EGLBoolean result = real_eglQueryDevicesEXT(size, devices, count);
    *count = (EGLint)answerCount(fault, devices, size, *count);
    return result;
}

// ---- Exported EGL functions ------------------------------------------------

// Hands out the wrapper of a function whose answers faults alter.
#define WRAP(function)                                                    \
    if (strcmp(name, #function) == 0) {                                   \
        real_##function = (__typeof__(real_##function))real;              \
        return (__eglMustCastToProperFunctionPointerType)fake_##function; \
    }

__eglMustCastToProperFunctionPointerType EGLAPIENTRY eglGetProcAddress(const char* name) {
    if (hidesWord(driverFault("eglGetProcAddress", FAULT_NO_SELECTOR), name)) return NULL;
    REAL(eglGetProcAddress);
    const __eglMustCastToProperFunctionPointerType real = real_eglGetProcAddress(name);
    if (real == NULL) return NULL;
    WRAPPED(WRAP)
    return real;
}

const char* EGLAPIENTRY eglQueryString(EGLDisplay display, EGLint name) {
    const struct DriverFault* fault = driverFault("eglQueryString", name);
    REAL(eglQueryString);
    return faultText(fault, real_eglQueryString(display, name));
}

// Whether the extensions are answered without the extension named.
static int hidden(const char* extension) {
    return hidesWord(driverFault("eglQueryString", EGL_EXTENSIONS), extension);
}

EGLBoolean EGLAPIENTRY eglInitialize(EGLDisplay display, EGLint* major, EGLint* minor) {
    const struct DriverFault* fault = driverFault("eglInitialize", FAULT_NO_SELECTOR);
    if (faultIs(fault, FAULT_FAIL)) return EGL_FALSE;
    if (faultIs(fault, FAULT_UNCHECKED) && (major == NULL || minor == NULL)) faultCrash();
    REAL(eglInitialize);
    return real_eglInitialize(display, major, minor);
}

EGLContext EGLAPIENTRY eglCreateContext(EGLDisplay display, EGLConfig config, EGLContext share,
                                        const EGLint* attributes) {
    int refused = faultIs(driverFault("eglCreateContext", FAULT_NO_SELECTOR), FAULT_FAIL);
    // Profiles came with EGL_KHR_create_context (and EGL 1.5), which defines two,
    // the two lowest bits.
    for (const EGLint* a = attributes; !refused && a != NULL && *a != EGL_NONE; a += 2) {
        CHECK_RULE("eglCreateContext", *a == EGL_CONTEXT_OPENGL_PROFILE_MASK && a[1] >> 2 != 0);
        refused = *a == EGL_CONTEXT_OPENGL_PROFILE_MASK && hidden("EGL_KHR_create_context");
    }
    if (refused) return EGL_NO_CONTEXT;
    REAL(eglCreateContext);
    return real_eglCreateContext(display, config, share, attributes);
}

EGLBoolean EGLAPIENTRY eglMakeCurrent(EGLDisplay display, EGLSurface draw, EGLSurface read,
                                      EGLContext context) {
    CHECK_RULE("eglMakeCurrent", (draw == EGL_NO_SURFACE) != (read == EGL_NO_SURFACE) ||
                                     (context == EGL_NO_CONTEXT && draw != EGL_NO_SURFACE));
    const struct DriverFault* fault = driverFault("eglMakeCurrent", FAULT_NO_SELECTOR);
    const int surfaceless = context != EGL_NO_CONTEXT && draw == EGL_NO_SURFACE;
    if (faultIs(fault, FAULT_FAIL) || (surfaceless && hidden("EGL_KHR_surfaceless_context")))
        return EGL_FALSE;
    REAL(eglMakeCurrent);
    const EGLBoolean made = real_eglMakeCurrent(display, draw, read, context);
    afterCall(fault);
    return made;
}

// The other functions the program calls pass through, once their arguments
// meet the rule their call is checked against (0 where none); a fail fault
// answers failed instead.
#define FORWARD(type, name, failed, broken, parameters, arguments)                     \
    type EGLAPIENTRY name parameters {                                                 \
        CHECK_RULE(#name, broken);                                                     \
        if (faultIs(driverFault(#name, FAULT_NO_SELECTOR), FAULT_FAIL)) return failed; \
        REAL(name);                                                                    \
        return real_##name arguments;                                                  \
    }

FORWARD(EGLint, eglGetError, EGL_BAD_ACCESS, 0, (void), ())
FORWARD(EGLBoolean, eglBindAPI, EGL_FALSE, 0, (EGLenum api), (api))
FORWARD(EGLenum, eglQueryAPI, EGL_NONE, 0, (void), ())
FORWARD(EGLBoolean, eglChooseConfig, EGL_FALSE, count == NULL || (configs != NULL && size < 0),
        (EGLDisplay d, const EGLint* attributes, EGLConfig* configs, EGLint size, EGLint* count),
        (d, attributes, configs, size, count))
FORWARD(EGLBoolean, eglDestroyContext, EGL_FALSE, 0, (EGLDisplay d, EGLContext c), (d, c))
FORWARD(EGLSurface, eglCreatePbufferSurface, EGL_NO_SURFACE, config == NULL,
        (EGLDisplay d, EGLConfig config, const EGLint* attributes), (d, config, attributes))
FORWARD(EGLBoolean, eglDestroySurface, EGL_FALSE, 0, (EGLDisplay d, EGLSurface s), (d, s))
FORWARD(EGLContext, eglGetCurrentContext, EGL_NO_CONTEXT, 0, (void), ())
FORWARD(EGLDisplay, eglGetCurrentDisplay, EGL_NO_DISPLAY, 0, (void), ())
FORWARD(EGLSurface, eglGetCurrentSurface, EGL_NO_SURFACE, which != EGL_DRAW && which != EGL_READ,
        (EGLint which), (which))
