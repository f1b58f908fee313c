#pragma once

namespace Quelt {
namespace OCL {

// The file name of the platform's OpenCL loader, as its dynamic loader finds it.
extern const char* const defaultLoader;

}  // namespace OCL
}  // namespace Quelt
