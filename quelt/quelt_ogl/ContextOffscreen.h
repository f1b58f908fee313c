#pragma once

#include <memory>

#include "quelt/quelt_ogl/Context.h"

namespace Quelt {
namespace OGL {

// A compatibility-profile OpenGL context on a display device, with no window.
// The constructor throws LogicalException when the device cannot give one.
class ContextOffscreen : public Context {
public:
    explicit ContextOffscreen(const DISPLAY_DEVICEA& device);
    ~ContextOffscreen() override;

    void makeCurrent() override;

    struct State;

private:
    std::unique_ptr<State> state;
};

}  // namespace OGL
}  // namespace Quelt
