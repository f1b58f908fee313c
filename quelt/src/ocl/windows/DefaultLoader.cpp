#include "quelt/src/ocl/DefaultLoader.h"

namespace Quelt {
namespace OCL {

const char* const defaultLoader = "OpenCL.dll";

}  // namespace OCL
}  // namespace Quelt
