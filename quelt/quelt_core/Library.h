#pragma once

namespace Quelt {
namespace Core {

class Library {
public:
    // Prepares the parts every other part of the library relies on. Safe to call
    // more than once.
    static void initialize();
};

}  // namespace Core
}  // namespace Quelt
