#include <algorithm>
#include <cstring>

#include "FakeQuelt.h"
#include "quelt/quelt_core/Exception.h"
#include "quelt/quelt_ogl/ContextOffscreen.h"
#include "quelt/quelt_ogl/ExtensionManager.h"
#include "quelt/quelt_ogl/Framebuffer.h"
#include "quelt/quelt_ogl/Program.h"
#include "quelt/quelt_ogl/ScopedContextWrapper.h"
#include "quelt/quelt_ogl/Texture2D.h"

namespace FakeQuelt {

GLState& GL() {
    static GLState state;
    return state;
}

DISPLAY_DEVICEA MakeDisplayDevice(const std::string& deviceName, const std::string& deviceString) {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    std::strncpy(device.DeviceName, deviceName.c_str(), sizeof device.DeviceName - 1);
    std::strncpy(device.DeviceString, deviceString.c_str(), sizeof device.DeviceString - 1);
    return device;
}

void RaiseCallError() {
    if (GL().callErrors.empty()) return;
    GL().errors.push_back(GL().callErrors.front());
    GL().callErrors.pop_front();
}

}  // namespace FakeQuelt

using FakeQuelt::GL;

namespace {

std::vector<std::string> Pieces(int count, const char* const* strings) {
    return std::vector<std::string>(strings, strings + count);
}

}  // namespace

namespace Quelt {
namespace OGL {

Context::Context() {}
Context::~Context() {}

int Context::numDisplayDevice() { return static_cast<int>(GL().displayDevices.size()); }

bool Context::displayDevice(int index, DISPLAY_DEVICEA& device) {
    if (index < 0 || index >= numDisplayDevice()) {
        device = DISPLAY_DEVICEA();
        return false;
    }
    device = GL().displayDevices[index];
    return true;
}

DISPLAY_DEVICEA Context::PrimaryDisplayDevice() {
    for (const DISPLAY_DEVICEA& device : GL().displayDevices) {
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) return device;
    }
    return GL().displayDevices.empty() ? DISPLAY_DEVICEA() : GL().displayDevices.front();
}

struct ContextOffscreen::State {
    std::string deviceName;
};

ContextOffscreen::ContextOffscreen(const DISPLAY_DEVICEA& device) : state(new State) {
    state->deviceName = device.DeviceName;
    if (GL().failingDevices.count(state->deviceName) != 0) {
        throw LogicalException("no context on this device");
    }
    ++GL().contextsCreated;
    ++GL().contextsAlive;
}

ContextOffscreen::~ContextOffscreen() { --GL().contextsAlive; }

void ContextOffscreen::makeCurrent() { GL().current = state->deviceName; }

struct ScopedContextWrapper::Saved {
    std::string current;
};

ScopedContextWrapper::ScopedContextWrapper() : saved(new Saved{GL().current}) {}

ScopedContextWrapper::~ScopedContextWrapper() { GL().current = saved->current; }

ExtensionManager* ExtensionManager::Instance() {
    static ExtensionManager manager(nullptr);
    return GL().extensionManagerMissing ? nullptr : &manager;
}

ExtensionManager::ExtensionManager(State* newState) : state(newState) {}
ExtensionManager::~ExtensionManager() {}

bool ExtensionManager::isSupported(OpenGLExtension extension) const {
    GL().askedExtensions.push_back(extension);
    return GL().supported.count(extension) != 0;
}

const ExtensionTable& ExtensionManager::table() const {
    static ExtensionTable entries;
    entries.glGetProgramivARB = GL().getProgramivARB;
    return entries;
}

struct Program::State {};

Program::Program() {}
Program::~Program() {}

void Program::loadVertexShader(int count, const char* const* strings, const int* lengths) {
    GL().vertexPieces = Pieces(count, strings);
    GL().piecesHadLengths = GL().piecesHadLengths || lengths != nullptr;
}

void Program::loadFragmentShader(int count, const char* const* strings, const int* lengths) {
    GL().fragmentPieces = Pieces(count, strings);
    GL().piecesHadLengths = GL().piecesHadLengths || lengths != nullptr;
    if (GL().compileFails) throw LogicalException("0:1(1): error: syntax error");
}

void Program::link(bool check) {
    GL().linkedWithCheck = check;
    if (GL().linkFails && check) throw LogicalException("link failed");
}

struct Texture2D::State {};

Texture2D::Texture2D(int, int, int, bool, const void*) {
    if (GL().textureFails) throw LogicalException("texture refused");
}

Texture2D::~Texture2D() {}

unsigned Texture2D::name() const { return 1; }

struct Framebuffer::State {};

Framebuffer::Framebuffer() {}
Framebuffer::~Framebuffer() {}
void Framebuffer::bind() {}
void Framebuffer::attach(const Texture2D&, unsigned, unsigned) {}
// As the library's own does, unbinding first drops the errors left pending.
void Framebuffer::unbind() { GL().errors.clear(); }

}  // namespace OGL
}  // namespace Quelt

const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    GL().queriedOn.push_back(GL().current);
    FakeQuelt::RaiseCallError();
    const auto text = GL().strings.find(name);
    return text != GL().strings.end() ? reinterpret_cast<const GLubyte*>(text->second) : nullptr;
}

void GLAPIENTRY glGetIntegerv(GLenum pname, GLint* params) {
    GL().queriedOn.push_back(GL().current);
    FakeQuelt::RaiseCallError();
    const auto values = GL().integers.find(pname);
    if (values == GL().integers.end()) return;
    std::copy(values->second.begin(), values->second.end(), params);
}

GLenum GLAPIENTRY glGetError() {
    if (GL().errors.empty()) return GL_NO_ERROR;
    const GLenum error = GL().errors.front();
    GL().errors.pop_front();
    return error;
}

void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    GL().clearColor = {red, green, blue, alpha};
}

void GLAPIENTRY glClear(GLbitfield) { FakeQuelt::RaiseCallError(); }
