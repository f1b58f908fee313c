#pragma once

#include <memory>

namespace Quelt {
namespace OGL {

// A 2D texture on the current context.
class Texture2D {
public:
    // Internal formats the library knows.
    enum Format { RGBA8 = 34 };

    // format is one of Format; mipmapped asks for a full mipmap chain; data may be
    // null. Throws LogicalException for an unknown format or a driver error.
    Texture2D(int format, int width, int height, bool mipmapped, const void* data);
    ~Texture2D();

    unsigned name() const;

    struct State;

private:
    std::unique_ptr<State> state;
};

}  // namespace OGL
}  // namespace Quelt
