#pragma once

namespace Quelt {
namespace OGL {

// What the platform layer and the platform-neutral OpenGL code tell each other
// about contexts.

// The platform's handle of the OpenGL context current on this thread; null when
// none is current or the library is not initialised.
void* currentContextHandle();

// Drops what the library keeps about a context that is being destroyed.
void forgetContext(void* context);

}  // namespace OGL
}  // namespace Quelt
