#pragma once

#include <memory>

namespace Quelt {
namespace OGL {

class Texture2D;

// A framebuffer object on the current context.
class Framebuffer {
public:
    Framebuffer();
    ~Framebuffer();

    void bind();
    // Attaches the texture's given mipmap level as colour attachment number attachment.
    void attach(const Texture2D& texture, unsigned attachment, unsigned level);
    void unbind();

    struct State;

private:
    std::unique_ptr<State> state;
};

}  // namespace OGL
}  // namespace Quelt
