#pragma once

#include <memory>

namespace Quelt {
namespace OGL {

// Remembers whichever context is current when constructed and makes it current
// again when destroyed, so a caller can borrow the thread for its own context.
class ScopedContextWrapper {
public:
    ScopedContextWrapper();
    ~ScopedContextWrapper();

    struct Saved;

private:
    std::unique_ptr<Saved> saved;
};

}  // namespace OGL
}  // namespace Quelt
