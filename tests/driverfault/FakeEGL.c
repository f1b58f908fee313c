/* A libEGL.so.1 for tests: it passes every call the program makes to the real
 * EGL library (TROVEX_REAL_EGL, an absolute path) and alters the answers that
 * TROVEX_DRIVER_FAULT names (see DriverFault.h). OpenGL functions come through
 * eglGetProcAddress, so the queries the program checks answers of are handed
 * out wrapped. */
#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>
#include <string.h>

#include "DriverFault.h"

/* The bytes a single-value query writes after its answer when told to write
 * more values. */
#define FILLER 0x7E

static void* realSymbol(const char* name) {
    static void* library;
    if (library == NULL) library = dlopen(TROVEX_REAL_EGL, RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) faultDie("cannot open", TROVEX_REAL_EGL);
    void* symbol = dlsym(library, name);
    if (symbol == NULL) faultDie("the real library does not export", name);
    return symbol;
}

/* Declares real_<name>, the real library's function, looked up once. */
#define REAL(type, name)     \
    static type real_##name; \
    if (real_##name == NULL) real_##name = (type)realSymbol(#name)

static int fails(const struct DriverFault* fault) {
    return fault != NULL && fault->action == FAULT_FAIL;
}

/* ---- OpenGL ------------------------------------------------------------ */

/* An error the fake leaves pending: glGetError answers it before the driver's. */
static GLenum pendingError = GL_NO_ERROR;

static void afterCall(const struct DriverFault* fault) {
    if (fault != NULL && fault->action == FAULT_ERROR) pendingError = (GLenum)fault->value;
}

static void alterValues(const struct DriverFault* fault, GLint* params) {
    afterCall(fault);
    if (fault == NULL) return;
    if (fault->action == FAULT_ANSWER) params[0] = (GLint)fault->value;
    /* Through memset, which a sanitizer build checks: this library is not
     * instrumented itself. */
    if (fault->action == FAULT_VALUES && fault->value > 1) {
        memset(params + 1, FILLER, (fault->value - 1) * sizeof(GLint));
    }
}

/* OpenGL 1.1 has no function pointer types of its own. */
static __typeof__(&glGetString) real_glGetString;
static PFNGLGETSTRINGIPROC real_glGetStringi;
static __typeof__(&glGetIntegerv) real_glGetIntegerv;
static __typeof__(&glGetError) real_glGetError;
static PFNGLGETSHADERIVPROC real_glGetShaderiv;
static PFNGLGETPROGRAMIVPROC real_glGetProgramiv;
static PFNGLGETSHADERINFOLOGPROC real_glGetShaderInfoLog;
static PFNGLGETPROGRAMINFOLOGPROC real_glGetProgramInfoLog;
static PFNGLGETPROGRAMIVARBPROC real_glGetProgramivARB;

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
    return (const GLubyte*)faultText(fault, (const char*)text);
}

static void APIENTRY fake_glGetIntegerv(GLenum name, GLint* params) {
    const struct DriverFault* fault = driverFault("glGetIntegerv", name);
    real_glGetIntegerv(name, params);
    alterValues(fault, params);
}

static void APIENTRY fake_glGetProgramivARB(GLenum target, GLenum name, GLint* params) {
    const struct DriverFault* fault = driverFault("glGetProgramivARB", name);
    real_glGetProgramivARB(target, name, params);
    alterValues(fault, params);
}

static void APIENTRY fake_glGetShaderiv(GLuint shader, GLenum name, GLint* params) {
    const struct DriverFault* fault = driverFault("glGetShaderiv", name);
    real_glGetShaderiv(shader, name, params);
    alterValues(fault, params);
}

static void APIENTRY fake_glGetProgramiv(GLuint program, GLenum name, GLint* params) {
    const struct DriverFault* fault = driverFault("glGetProgramiv", name);
    real_glGetProgramiv(program, name, params);
    alterValues(fault, params);
}

static void APIENTRY fake_glGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length,
                                             GLchar* log) {
    afterCall(driverFault("glGetShaderInfoLog", FAULT_NO_SELECTOR));
    real_glGetShaderInfoLog(shader, size, length, log);
}

static void APIENTRY fake_glGetProgramInfoLog(GLuint program, GLsizei size, GLsizei* length,
                                              GLchar* log) {
    afterCall(driverFault("glGetProgramInfoLog", FAULT_NO_SELECTOR));
    real_glGetProgramInfoLog(program, size, length, log);
}

/* answer:E makes glGetError say E every time, as a broken driver might. */
static GLenum APIENTRY fake_glGetError(void) {
    const struct DriverFault* fault = driverFault("glGetError", FAULT_NO_SELECTOR);
    if (fault != NULL && fault->action == FAULT_ANSWER) return (GLenum)fault->value;
    if (pendingError != GL_NO_ERROR) {
        const GLenum error = pendingError;
        pendingError = GL_NO_ERROR;
        return error;
    }
    return real_glGetError();
}

struct Wrapped {
    const char* name;
    void (*fake)(void);
    void** real;
};

#define WRAPPED(name) \
    { #name, (void (*)(void))fake_##name, (void**)&real_##name }

static const struct Wrapped wrapped[] = {
    WRAPPED(glGetString),        WRAPPED(glGetStringi),        WRAPPED(glGetIntegerv),
    WRAPPED(glGetError),         WRAPPED(glGetShaderiv),       WRAPPED(glGetProgramiv),
    WRAPPED(glGetShaderInfoLog), WRAPPED(glGetProgramInfoLog), WRAPPED(glGetProgramivARB),
};

/* ---- EGL extensions ------------------------------------------------------ */

static PFNEGLQUERYDEVICESEXTPROC real_eglQueryDevicesEXT;
static PFNEGLQUERYDEVICESTRINGEXTPROC real_eglQueryDeviceStringEXT;
static PFNEGLGETPLATFORMDISPLAYEXTPROC real_eglGetPlatformDisplayEXT;

static EGLBoolean EGLAPIENTRY fake_eglQueryDevicesEXT(EGLint size, EGLDeviceEXT* devices,
                                                      EGLint* count) {
    const struct DriverFault* fault = driverFault("eglQueryDevicesEXT", FAULT_NO_SELECTOR);
    if (fails(fault)) return EGL_FALSE;
    const EGLBoolean result = real_eglQueryDevicesEXT(size, devices, count);
    if (fault != NULL && fault->action == FAULT_ANSWER) *count = (EGLint)fault->value;
    return result;
}

static const char* EGLAPIENTRY fake_eglQueryDeviceStringEXT(EGLDeviceEXT device, EGLint name) {
    const struct DriverFault* fault = driverFault("eglQueryDeviceStringEXT", name);
    return faultText(fault, real_eglQueryDeviceStringEXT(device, name));
}

static EGLDisplay EGLAPIENTRY fake_eglGetPlatformDisplayEXT(EGLenum platform, void* device,
                                                            const EGLint* attributes) {
    if (fails(driverFault("eglGetPlatformDisplayEXT", FAULT_NO_SELECTOR))) return EGL_NO_DISPLAY;
    return real_eglGetPlatformDisplayEXT(platform, device, attributes);
}

static const struct Wrapped wrappedExtensions[] = {
    WRAPPED(eglQueryDevicesEXT),
    WRAPPED(eglQueryDeviceStringEXT),
    WRAPPED(eglGetPlatformDisplayEXT),
};

static void (*wrap(const struct Wrapped* list, size_t size, const char* name,
                   void (*real)(void)))(void) {
    for (size_t i = 0; i < size; ++i) {
        if (strcmp(list[i].name, name) == 0) {
            if (real == NULL) return NULL;
            *list[i].real = (void*)real;
            return list[i].fake;
        }
    }
    return real;
}

/* ---- Exported EGL functions --------------------------------------------- */

__eglMustCastToProperFunctionPointerType EGLAPIENTRY eglGetProcAddress(const char* name) {
    driverFault("eglGetProcAddress", FAULT_NO_SELECTOR);
    REAL(PFNEGLGETPROCADDRESSPROC, eglGetProcAddress);
    void (*real)(void) = real_eglGetProcAddress(name);
    real = wrap(wrapped, sizeof wrapped / sizeof wrapped[0], name, real);
    return wrap(wrappedExtensions, sizeof wrappedExtensions / sizeof wrappedExtensions[0], name,
                real);
}

EGLint EGLAPIENTRY eglGetError(void) {
    driverFault("eglGetError", FAULT_NO_SELECTOR);
    REAL(PFNEGLGETERRORPROC, eglGetError);
    return real_eglGetError();
}

const char* EGLAPIENTRY eglQueryString(EGLDisplay display, EGLint name) {
    const struct DriverFault* fault = driverFault("eglQueryString", name);
    REAL(PFNEGLQUERYSTRINGPROC, eglQueryString);
    return faultText(fault, real_eglQueryString(display, name));
}

EGLBoolean EGLAPIENTRY eglInitialize(EGLDisplay display, EGLint* major, EGLint* minor) {
    if (fails(driverFault("eglInitialize", FAULT_NO_SELECTOR))) return EGL_FALSE;
    REAL(PFNEGLINITIALIZEPROC, eglInitialize);
    return real_eglInitialize(display, major, minor);
}

EGLBoolean EGLAPIENTRY eglBindAPI(EGLenum api) {
    if (fails(driverFault("eglBindAPI", FAULT_NO_SELECTOR))) return EGL_FALSE;
    REAL(PFNEGLBINDAPIPROC, eglBindAPI);
    return real_eglBindAPI(api);
}

EGLenum EGLAPIENTRY eglQueryAPI(void) {
    driverFault("eglQueryAPI", FAULT_NO_SELECTOR);
    REAL(PFNEGLQUERYAPIPROC, eglQueryAPI);
    return real_eglQueryAPI();
}

EGLBoolean EGLAPIENTRY eglChooseConfig(EGLDisplay display, const EGLint* attributes,
                                       EGLConfig* configs, EGLint size, EGLint* count) {
    if (fails(driverFault("eglChooseConfig", FAULT_NO_SELECTOR))) return EGL_FALSE;
    REAL(PFNEGLCHOOSECONFIGPROC, eglChooseConfig);
    return real_eglChooseConfig(display, attributes, configs, size, count);
}

EGLContext EGLAPIENTRY eglCreateContext(EGLDisplay display, EGLConfig config, EGLContext share,
                                        const EGLint* attributes) {
    if (fails(driverFault("eglCreateContext", FAULT_NO_SELECTOR))) return EGL_NO_CONTEXT;
    REAL(PFNEGLCREATECONTEXTPROC, eglCreateContext);
    return real_eglCreateContext(display, config, share, attributes);
}

EGLBoolean EGLAPIENTRY eglDestroyContext(EGLDisplay display, EGLContext context) {
    driverFault("eglDestroyContext", FAULT_NO_SELECTOR);
    REAL(PFNEGLDESTROYCONTEXTPROC, eglDestroyContext);
    return real_eglDestroyContext(display, context);
}

EGLSurface EGLAPIENTRY eglCreatePbufferSurface(EGLDisplay display, EGLConfig config,
                                               const EGLint* attributes) {
    if (fails(driverFault("eglCreatePbufferSurface", FAULT_NO_SELECTOR))) return EGL_NO_SURFACE;
    REAL(PFNEGLCREATEPBUFFERSURFACEPROC, eglCreatePbufferSurface);
    return real_eglCreatePbufferSurface(display, config, attributes);
}

EGLBoolean EGLAPIENTRY eglDestroySurface(EGLDisplay display, EGLSurface surface) {
    driverFault("eglDestroySurface", FAULT_NO_SELECTOR);
    REAL(PFNEGLDESTROYSURFACEPROC, eglDestroySurface);
    return real_eglDestroySurface(display, surface);
}

EGLBoolean EGLAPIENTRY eglMakeCurrent(EGLDisplay display, EGLSurface draw, EGLSurface read,
                                      EGLContext context) {
    if (fails(driverFault("eglMakeCurrent", FAULT_NO_SELECTOR))) return EGL_FALSE;
    REAL(PFNEGLMAKECURRENTPROC, eglMakeCurrent);
    return real_eglMakeCurrent(display, draw, read, context);
}

EGLContext EGLAPIENTRY eglGetCurrentContext(void) {
    driverFault("eglGetCurrentContext", FAULT_NO_SELECTOR);
    REAL(PFNEGLGETCURRENTCONTEXTPROC, eglGetCurrentContext);
    return real_eglGetCurrentContext();
}

EGLDisplay EGLAPIENTRY eglGetCurrentDisplay(void) {
    driverFault("eglGetCurrentDisplay", FAULT_NO_SELECTOR);
    REAL(PFNEGLGETCURRENTDISPLAYPROC, eglGetCurrentDisplay);
    return real_eglGetCurrentDisplay();
}

EGLSurface EGLAPIENTRY eglGetCurrentSurface(EGLint which) {
    driverFault("eglGetCurrentSurface", FAULT_NO_SELECTOR);
    REAL(PFNEGLGETCURRENTSURFACEPROC, eglGetCurrentSurface);
    return real_eglGetCurrentSurface(which);
}
