#pragma once

#include "quelt/quelt_ogl/OpenGL.h"
#include "quelt/quelt_ogl/OpenGLExtension.h"

namespace Quelt {
namespace OGL {

// Entry points that are not part of OpenGL 1.1, taken from the current driver.
// An entry the driver lacks is null.
struct ExtensionTable {
    PFNGLGETPROGRAMIVARBPROC glGetProgramivARB;
};

// What the current context supports. One manager per context, owned by the library.
class ExtensionManager {
public:
    // The manager of the current context; null when no context is current.
    static ExtensionManager* Instance();

    bool isSupported(OpenGLExtension extension) const;
    const ExtensionTable& table() const;

    struct State;
    explicit ExtensionManager(State* state);
    ~ExtensionManager();

private:
    ExtensionManager(const ExtensionManager&) = delete;
    ExtensionManager& operator=(const ExtensionManager&) = delete;

    State* state;
};

}  // namespace OGL
}  // namespace Quelt
