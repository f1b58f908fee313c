#pragma once

// The host's own gpu/GPU.h, which the reader's headers must not take for theirs.
struct HostGPU {
    const char* shadingLanguage;
};
