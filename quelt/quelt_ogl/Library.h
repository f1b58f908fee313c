#pragma once

#include <string>

namespace Quelt {
namespace OGL {

class Library {
public:
    struct InitOptions {
        InitOptions();

        // The driver library to load; empty means the platform's usual one.
        std::string driverLibrary;
    };

    // Loads the driver library and its entry points. Throws LogicalException
    // with a readable message when the driver cannot be used.
    static void initialize(const InitOptions& options);
};

}  // namespace OGL
}  // namespace Quelt
