#include "quelt/quelt_core/Library.h"

namespace Quelt {
namespace Core {

// The core holds no driver state: the graphics and compute parts load their
// drivers in their own initialize(). Callers still call this first so that a
// platform whose core does need preparing can do it here.
void Library::initialize() {}

}  // namespace Core
}  // namespace Quelt
