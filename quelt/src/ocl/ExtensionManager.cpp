#include "quelt/quelt_ocl/ExtensionManager"

namespace Quelt {
namespace OCL {

ExtensionManager::ExtensionManager() : entries() {}

ExtensionManager& ExtensionManager::instance() {
    static ExtensionManager manager;
    return manager;
}

const DispatchTable& ExtensionManager::table() const { return entries; }

}  // namespace OCL
}  // namespace Quelt
