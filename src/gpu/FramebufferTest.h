#pragma once

// The framebuffer test: on the current context, clears a 32x32 RGBA8 texture
// through a framebuffer object. True when neither the clear nor the unbind left
// an OpenGL error; errors pending before the call count against it, so the
// caller clears them first. Quelt's exceptions pass through.
bool ClearTextureThroughFramebuffer();
