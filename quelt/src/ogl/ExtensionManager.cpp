#include "quelt/quelt_ogl/ExtensionManager.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <tuple>

#include "quelt/src/core/DriverAnswer.h"
#include "quelt/src/core/Words.h"
#include "quelt/src/ogl/GLEntryPoints.h"
#include "quelt/src/ogl/GLQuery.h"
#include "quelt/src/ogl/PlatformContext.h"

namespace Quelt {
namespace OGL {

namespace {

// major, minor, release
typedef std::tuple<int, int, int> Version;

// Drivers list a few hundred extensions; a count far above that is a broken
// answer, which would keep the list being read for minutes.
const GLint maxExtensions = 65536;

struct Capability {
    OpenGLExtension id;
    Version version;        // for the core versions
    const char* extension;  // for the extensions; null for the core versions
};

const Capability capabilities[] = {
    {OGL_VERSION_1_2, Version(1, 2, 0), nullptr},
    {OGL_VERSION_1_2_1, Version(1, 2, 1), nullptr},
    {OGL_VERSION_1_3, Version(1, 3, 0), nullptr},
    {OGL_VERSION_1_4, Version(1, 4, 0), nullptr},
    {OGL_VERSION_1_5, Version(1, 5, 0), nullptr},
    {OGL_VERSION_2_0, Version(2, 0, 0), nullptr},
    {OGL_VERSION_2_1, Version(2, 1, 0), nullptr},
    {OGL_VERSION_3_0, Version(3, 0, 0), nullptr},
    {GL_ARB_FRAGMENT_PROGRAM, Version(), "GL_ARB_fragment_program"},
    {GL_ARB_FRAGMENT_SHADER, Version(), "GL_ARB_fragment_shader"},
    {GL_ARB_OCCLUSION_QUERY, Version(), "GL_ARB_occlusion_query"},
    {GL_ARB_SHADER_TEXTURE_LOD, Version(), "GL_ARB_shader_texture_lod"},
    {GL_ARB_TEXTURE_FLOAT, Version(), "GL_ARB_texture_float"},
    {GL_ARB_TEXTURE_NON_POWER_OF_TWO, Version(), "GL_ARB_texture_non_power_of_two"},
    {GL_ARB_TEXTURE_RECTANGLE, Version(), "GL_ARB_texture_rectangle"},
    {GL_ARB_VERTEX_BUFFER_OBJECT, Version(), "GL_ARB_vertex_buffer_object"},
    {GL_ARB_VERTEX_PROGRAM, Version(), "GL_ARB_vertex_program"},
    {GL_ARB_VERTEX_SHADER, Version(), "GL_ARB_vertex_shader"},
    {GL_EXT_FRAMEBUFFER_OBJECT, Version(), "GL_EXT_framebuffer_object"},
};

std::string text(const std::string& query, const GLubyte* driverText, size_t bound) {
    return Core::boundedText(query, reinterpret_cast<const char*>(driverText), bound);
}

// The version at the start of a GL_VERSION text such as "4.5 (Compatibility
// Profile) Mesa 22.3.6" or "OpenGL ES 3.2 ..."; a missing part counts as 0.
Version parseVersion(const char* versionText) {
    while (*versionText != '\0' && !std::isdigit(static_cast<unsigned char>(*versionText))) {
        ++versionText;
    }
    int parts[3] = {0, 0, 0};
    for (int& part : parts) {
        char* end = nullptr;
        part = static_cast<int>(std::strtol(versionText, &end, 10));
        if (end == versionText || *end != '.') break;
        versionText = end + 1;
    }
    return Version(parts[0], parts[1], parts[2]);
}

// From OpenGL 3.0 on the list is read entry by entry; core profiles no longer
// answer GL_EXTENSIONS as one text.
std::set<std::string> readExtensions(const GLEntryPoints& gl, const Version& version) {
    if (std::get<0>(version) < 3 || gl.getStringi == nullptr) {
        return Core::splitWords("glGetString(GL_EXTENSIONS)",
                                reinterpret_cast<const char*>(gl.getString(GL_EXTENSIONS)));
    }
    const GLint count = Core::boundedAnswer("glGetIntegerv(GL_NUM_EXTENSIONS)",
                                            getInteger(gl, GL_NUM_EXTENSIONS), maxExtensions);
    std::set<std::string> extensions;
    for (GLint index = 0; index < count; ++index) {
        extensions.insert(text("glGetStringi(GL_EXTENSIONS)",
                               gl.getStringi(GL_EXTENSIONS, static_cast<GLuint>(index)),
                               Core::maxExtensionNameBytes));
    }
    return extensions;
}

// One manager per context, created when first asked for.
std::mutex managersMutex;
std::map<void*, std::unique_ptr<ExtensionManager>> managers;

}  // namespace

struct ExtensionManager::State {
    Version version;
    std::set<std::string> extensions;
    ExtensionTable table;
};

ExtensionManager::ExtensionManager(State* state) : state(state) {}

ExtensionManager::~ExtensionManager() { delete state; }

ExtensionManager* ExtensionManager::Instance() {
    void* context = currentContextHandle();
    if (context == nullptr) return nullptr;
    std::lock_guard<std::mutex> lock(managersMutex);
    std::unique_ptr<ExtensionManager>& manager = managers[context];
    if (!manager) {
        const GLEntryPoints& gl = requireGLEntryPoints();
        const Version version = parseVersion(
            text("glGetString(GL_VERSION)", gl.getString(GL_VERSION), Core::maxTextBytes).c_str());
        manager = std::make_unique<ExtensionManager>(
            new State{version, readExtensions(gl, version), ExtensionTable{gl.getProgramivARB}});
    }
    return manager.get();
}

bool ExtensionManager::isSupported(OpenGLExtension extension) const {
    for (const Capability& capability : capabilities) {
        if (capability.id != extension) continue;
        if (capability.extension != nullptr)
            return state->extensions.count(capability.extension) != 0;
        return state->version >= capability.version;
    }
    return false;
}

const ExtensionTable& ExtensionManager::table() const { return state->table; }

void forgetContext(void* context) {
    std::lock_guard<std::mutex> lock(managersMutex);
    managers.erase(context);
}

}  // namespace OGL
}  // namespace Quelt
