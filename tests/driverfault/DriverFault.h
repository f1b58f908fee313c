// The faults a test asks the fake driver libraries for. Only these libraries
// read the variable, once per process; the program under test reads none.
//
//   TROVEX_DRIVER_FAULT=fault[;fault]...
//   fault = call[(selector)]:action[:value]
//
// call      the driver function whose answer changes, such as glGetIntegerv,
//           eglQueryString or clGetDeviceInfo
// selector  the enumerant the call is asked about (its pname or name), by name
//           (see the table in DriverFault.c) or as a number; without one the
//           fault applies to every call of the function
// action and value:
//   answer:N        the count, size or single value the call writes is N; a
//                   negative N wraps for unsigned answers (-1 is SIZE_MAX for a
//                   size). A list of EGL devices or OpenCL platforms or devices
//                   given room for more than the driver's repeats the driver's
//                   entries in that room.
//   recount:A,B     a count-then-list query (eglQueryDevicesEXT,
//                   clGetPlatformIDs, clGetDeviceIDs) answers the count A when
//                   asked for the count alone and B when given the list, as a
//                   driver whose devices change between the two calls; its list
//                   is filled as for answer
//   values:N        a single-value query writes N values: the driver's answer,
//                   then filler (an OpenCL query N times the size it is given)
//   null            a text query answers null
//   text:T          a text query answers T; glGetStringi answers the word of T
//                   at its index, and null past the last
//   long:N          a text query answers N letters x (OpenCL's with a NUL
//                   after them); glGetStringi answers N + (index % 1024), so
//                   that the names differ
//   hide:W          a text query answers its text without the blank-separated
//                   words of W; eglGetProcAddress answers null for them. EGL
//                   then acts as a driver without the hidden extension:
//                   without EGL_KHR_surfaceless_context no context is made
//                   current without a surface, and without
//                   EGL_KHR_create_context (a driver before EGL 1.5) no
//                   context takes a profile
//   unterminated:T  an OpenCL text query answers T without a terminating NUL
//   fail            the call fails (EGL_FALSE, no display, context or current
//                   context, or an OpenCL error status)
//   error:E         the OpenGL error E is left pending after the call
//   crash           the process dies of SIGSEGV inside the call
//   hang            the call never returns
//   print:T         the call prints T on standard output, through the C runtime
//                   as a driver's printf does, before it goes on
//   exit:N          the call ends the process with exit(N)
//   unchecked       the call writes its optional outputs without looking for
//                   null (eglInitialize's version, an OpenCL info query's size),
//                   and so dies of SIGSEGV on a null one, as some drivers do
//   gpu             (clGetDeviceIDs only) the CPU devices are answered when GPUs
//                   are asked for, and CL_DEVICE_TYPE says GPU
//
// In the texts T, \n, \t and \xHH stand for those bytes and \\ for a backslash.
//
// For example: glGetIntegerv(GL_NUM_EXTENSIONS):answer:2000000000, or
// clGetDeviceIDs:gpu;clGetDeviceInfo(CL_DRIVER_VERSION):answer:-1.
// A fault the libraries cannot read ends the process with status 70, so that
// a mistyped test cannot pass on a healthy driver.
#pragma once

#include <stdlib.h>

// The actions that take a value come first, those whose value is a text last
// among them.
// clang-format off
enum FaultAction {
    FAULT_ANSWER, FAULT_VALUES, FAULT_LONG, FAULT_ERROR, FAULT_EXIT, FAULT_RECOUNT, FAULT_TEXT,
    FAULT_HIDE, FAULT_UNTERMINATED, FAULT_PRINT, FAULT_NULL, FAULT_FAIL, FAULT_CRASH, FAULT_HANG,
    FAULT_UNCHECKED, FAULT_GPU
};
// clang-format on

struct DriverFault {
    char call[64];
    long long selector;  // FAULT_NO_SELECTOR for every call of the function
    enum FaultAction action;
    unsigned long long value;  // answer, values, long, error, exit
    long long counts[2];       // recount
    char text[512];            // text, hide, unterminated, print
};

// Replaces the escapes of a text (see above) in place; tests share it to write
// the texts they expect.
static inline void decodeFaultText(char* text) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++out) {
        if (*in != '\\' || in[1] == '\0') {
            *out = *in++;
        } else if (in[1] == 'x' && in[2] != '\0' && in[3] != '\0') {
            const char hex[3] = {in[2], in[3], '\0'};
            *out = (char)strtol(hex, NULL, 16);
            in += 4;
        } else {
            *out = in[1] == 'n' ? '\n' : in[1] == 't' ? '\t' : in[1];
            in += 2;
        }
    }
    *out = '\0';
}

// The bytes a single-value query writes after its answer when a values fault
// tells it to write more.
#define FILLER 0x7E

// Passed as the selector by calls that are asked about no enumerant.
#define FAULT_NO_SELECTOR (-1LL)

// Whether fault (which may be null) has this action.
static inline int faultIs(const struct DriverFault* fault, enum FaultAction action) {
    return fault != NULL && fault->action == action;
}

// The fault for this call, or null. A crash, hang, print or exit fault takes
// effect here, so every wrapper that asks can do them; a print fault is not
// answered.
const struct DriverFault* driverFault(const char* call, long long selector);

// Whether the faults include one with this action for this call, whatever its
// selector.
int hasDriverFault(const char* call, enum FaultAction action);

// Whether fault (which may be null) hides word.
int hidesWord(const struct DriverFault* fault, const char* word);

// The text a text fault answers in place of the driver's: the driver's own
// when the fault is not about texts. A shortened text is allocated and kept.
const char* faultText(const struct DriverFault* fault, const char* driverText);

// The count a count-then-list query answers under fault (which may be null)
// in place of the count the driver had: list is null when only the count is
// asked for, and has room for size entries, the driver's first.
long long answerCount(const struct DriverFault* fault, void** list, long long size, long long had);

// The function of the real driver library (an absolute path) that a fake
// passes its calls to.
void* realSymbol(const char* library, const char* name);

// N letters x and (more % 1024) more, out of one text kept for the run: long
// texts that differ, and take little memory in the driver.
const char* longFaultText(size_t length, unsigned more);

// Dies of SIGSEGV, as a driver that crashes does.
void faultCrash(void) __attribute__((noreturn));

// Ends the process with status 70 after a line on standard error.
void faultDie(const char* what, const char* detail) __attribute__((noreturn));

// The fakes check the rules of their API that a conformant driver checks, as a
// validation layer does, whatever the real driver would make of the call: a
// call whose arguments meet the condition broken ends the process with status
// 70 after a line on standard error that names the call and the condition.
#define CHECK_RULE(call, broken) \
    ((broken) ? faultDie(call " called against the rule", #broken) : (void)0)
