#pragma once

#include <string>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/SharedObject.h"

namespace Quelt {
namespace Core {

// Entry points are read by name through a lookup: a shared object's exports or a
// driver's own GetProcAddress, either answering null for a function it lacks.
template <typename Lookup, typename Function>
void loadEntry(const Lookup& lookup, Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(lookup(name));
}

// A shared object's exports as a lookup.
inline auto exportsOf(const SharedObject& library) {
    return [&library](const char* name) { return library.symbol(name); };
}

// As loadEntry, but a missing function throws LogicalException "<missing><name>".
template <typename Lookup, typename Function>
void loadRequiredEntry(const Lookup& lookup, Function& entry, const char* name,
                       const char* missing) {
    loadEntry(lookup, entry, name);
    if (entry == nullptr) throw LogicalException((std::string(missing) + name).c_str());
}

}  // namespace Core
}  // namespace Quelt
