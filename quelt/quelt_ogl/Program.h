#pragma once

#include <memory>

namespace Quelt {
namespace OGL {

// A GLSL program on the current context. Compile and link failures throw
// LogicalException carrying the driver's info log.
class Program {
public:
    Program();
    ~Program();

    // Each shader source is the concatenation of count pieces; lengths may be null
    // for NUL-terminated pieces.
    void loadVertexShader(int count, const char* const* strings, const int* lengths);
    void loadFragmentShader(int count, const char* const* strings, const int* lengths);
    // With check set, a failed link throws.
    void link(bool check);

    struct State;

private:
    std::unique_ptr<State> state;
};

}  // namespace OGL
}  // namespace Quelt
