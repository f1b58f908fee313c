#include "quelt/src/ocl/DefaultLoader.h"

namespace Quelt {
namespace OCL {

const char* const defaultLoader = "libOpenCL.so.1";

}  // namespace OCL
}  // namespace Quelt
