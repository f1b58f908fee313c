#include "DriverFault.h"

#define EGL_NO_X11
#define CL_TARGET_OPENCL_VERSION 300
#include <CL/cl.h>
#include <EGL/egl.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#define MAX_FAULTS 8
#define MAX_MORE 1023

struct Named {
    const char* name;
    long long value;
};

#define NAMED(e) \
    { #e, e }

// The enumerants tests name, as selectors and as error values.
// clang-format off
static const struct Named enumerants[] = {
    NAMED(GL_VENDOR), NAMED(GL_RENDERER), NAMED(GL_VERSION), NAMED(GL_EXTENSIONS),
    NAMED(GL_SHADING_LANGUAGE_VERSION), NAMED(GL_NUM_EXTENSIONS), NAMED(GL_TEXTURE_BINDING_2D),
    NAMED(GL_MAX_RECTANGLE_TEXTURE_SIZE_ARB), NAMED(GL_COMPILE_STATUS), NAMED(GL_LINK_STATUS),
    NAMED(GL_INFO_LOG_LENGTH), NAMED(GL_INVALID_ENUM), NAMED(GL_INVALID_VALUE),
    NAMED(GL_INVALID_OPERATION), NAMED(GL_INVALID_FRAMEBUFFER_OPERATION), NAMED(EGL_VERSION),
    NAMED(EGL_EXTENSIONS), NAMED(CL_PLATFORM_VERSION), NAMED(CL_DEVICE_NAME),
    NAMED(CL_DEVICE_VENDOR), NAMED(CL_DEVICE_VENDOR_ID), NAMED(CL_DEVICE_GLOBAL_MEM_SIZE),
    NAMED(CL_DEVICE_PLATFORM), NAMED(CL_DRIVER_VERSION), NAMED(CL_DEVICE_VERSION)
};
// clang-format on

// The actions' names, in the order of enum FaultAction.
// clang-format off
static const char* const actions[] = {
    "answer", "values", "long", "error", "exit", "recount", "text", "hide", "unterminated",
    "print", "null", "fail", "crash", "hang", "unchecked", "gpu"
};
// clang-format on

static struct DriverFault faults[MAX_FAULTS];
static int faultCount;
static pthread_once_t readOnce = PTHREAD_ONCE_INIT;

void faultCrash(void) {
    // The default action, even where a sanitizer has its own handler: the host
    // sees a driver that crashed, not a report about it.
    signal(SIGSEGV, SIG_DFL);
    raise(SIGSEGV);
    abort();
}

void faultDie(const char* what, const char* detail) {
    fprintf(stderr, "TROVEX_DRIVER_FAULT: %s: %s\n", what, detail);
    _exit(70);
}

void* realSymbol(const char* library, const char* name) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (handle == NULL) faultDie("cannot open", library);
    void* symbol = dlsym(handle, name);
    if (symbol == NULL) faultDie("the real library does not export", name);
    return symbol;
}

// An enumerant's name, or a number as C writes it; negative numbers wrap.
static unsigned long long number(const char* text) {
    for (size_t i = 0; i < sizeof enumerants / sizeof enumerants[0]; ++i) {
        if (strcmp(enumerants[i].name, text) == 0) return (unsigned long long)enumerants[i].value;
    }
    char* end = NULL;
    const unsigned long long value = strtoull(text, &end, 0);
    if (end == text || *end != '\0') faultDie("not a number or known enumerant", text);
    return value;
}

// Reads "call(selector):action:value"; the value is the rest of the text.
static void parseFault(const char* text, struct DriverFault* fault) {
    char selector[64] = "";
    char action[16] = "";
    int end = 0;
    fault->selector = FAULT_NO_SELECTOR;
    if (sscanf(text, "%63[^(:](%63[^)]):%15[^:]%n", fault->call, selector, action, &end) == 3) {
        fault->selector = (long long)number(selector);
    } else if (sscanf(text, "%63[^(:]:%15[^:]%n", fault->call, action, &end) != 2) {
        faultDie("cannot read", text);
    }
    int kind = 0;
    while (kind <= FAULT_GPU && strcmp(actions[kind], action) != 0) ++kind;
    if (kind > FAULT_GPU) faultDie("unknown action in", text);
    fault->action = (enum FaultAction)kind;
    // Numbers come first among the values, texts last.
    const char* value = text[end] == ':' ? text + end + 1 : NULL;
    if ((kind <= FAULT_PRINT) != (value != NULL) || (value == NULL && text[end] != '\0')) {
        faultDie("wrong value in", text);
    }
    if (value == NULL) return;
    if (strlen(value) >= sizeof fault->text) faultDie("text too long in", text);
    strcpy(fault->text, value);
    decodeFaultText(fault->text);
    int at = 0;
    if (kind < FAULT_RECOUNT) fault->value = number(value);
    if (kind == FAULT_RECOUNT) sscanf(value, "%lld,%lld%n", fault->counts, fault->counts + 1, &at);
    if (kind == FAULT_RECOUNT && (at == 0 || value[at] != '\0')) faultDie("wrong counts in", text);
}

static void readFaults(void) {
    const char* variable = getenv("TROVEX_DRIVER_FAULT");
    if (variable == NULL || variable[0] == '\0') return;
    char* copy = strdup(variable);
    char* rest = copy;
    for (char* item = strsep(&rest, ";"); item != NULL; item = strsep(&rest, ";")) {
        if (faultCount == MAX_FAULTS) faultDie("too many faults in", variable);
        parseFault(item, &faults[faultCount++]);
    }
    free(copy);
}

const struct DriverFault* driverFault(const char* call, long long selector) {
    pthread_once(&readOnce, readFaults);
    for (int i = 0; i < faultCount; ++i) {
        const struct DriverFault* fault = &faults[i];
        if (fault->action == FAULT_GPU || strcmp(fault->call, call) != 0) continue;
        if (fault->selector != FAULT_NO_SELECTOR && fault->selector != selector) continue;
        if (fault->action == FAULT_CRASH) faultCrash();
        while (fault->action == FAULT_HANG) pause();
        if (fault->action == FAULT_EXIT) exit((int)fault->value);
        if (fault->action != FAULT_PRINT) return fault;
        fputs(fault->text, stdout);
    }
    return NULL;
}

int hasDriverFault(const char* call, enum FaultAction action) {
    pthread_once(&readOnce, readFaults);
    for (int i = 0; i < faultCount; ++i) {
        if (faults[i].action == action && strcmp(faults[i].call, call) == 0) return 1;
    }
    return 0;
}

// Whether the blank-separated list has the word of this length.
static int listHas(const char* list, const char* word, size_t length) {
    for (const char* p = list + strspn(list, " "); *p != '\0'; p += strspn(p, " ")) {
        const size_t size = strcspn(p, " ");
        if (size == length && strncmp(p, word, length) == 0) return 1;
        p += size;
    }
    return 0;
}

int hidesWord(const struct DriverFault* fault, const char* word) {
    return faultIs(fault, FAULT_HIDE) && listHas(fault->text, word, strlen(word));
}

// The words of text that hidden does not list, blank separated.
static char* withoutWords(const char* text, const char* hidden) {
    char* result = calloc(strlen(text) + 1, 1);
    for (const char* p = text + strspn(text, " "); *p != '\0'; p += strspn(p, " ")) {
        const size_t length = strcspn(p, " ");
        if (!listHas(hidden, p, length)) {
            if (result[0] != '\0') strcat(result, " ");
            strncat(result, p, length);
        }
        p += length;
    }
    return result;
}

// Every long fault of a run has the same N: the text is made once and kept.
const char* longFaultText(size_t length, unsigned more) {
    static char* text;
    if (text == NULL) {
        text = calloc(length + MAX_MORE + 1, 1);
        if (text == NULL) faultDie("cannot allocate a long text", "");
        memset(text, 'x', length + MAX_MORE);
    }
    return text + MAX_MORE - more % (MAX_MORE + 1);
}

long long answerCount(const struct DriverFault* fault, void** list, long long size, long long had) {
    if (!faultIs(fault, FAULT_ANSWER) && !faultIs(fault, FAULT_RECOUNT)) return had;
    for (long long i = had; list != NULL && had > 0 && i < size; ++i) list[i] = list[i % had];
    return faultIs(fault, FAULT_ANSWER) ? (long long)fault->value : fault->counts[list != NULL];
}

const char* faultText(const struct DriverFault* fault, const char* driverText) {
    if (faultIs(fault, FAULT_NULL)) return NULL;
    if (faultIs(fault, FAULT_TEXT)) return fault->text;
    if (faultIs(fault, FAULT_LONG)) return longFaultText((size_t)fault->value, 0);
    return faultIs(fault, FAULT_HIDE) && driverText != NULL ? withoutWords(driverText, fault->text)
                                                            : driverText;
}
