#include "quelt/src/core/SharedObject.h"

#include <dlfcn.h>

#include "quelt/quelt_core/Exception.h"

namespace Quelt {
namespace Core {

SharedObject::SharedObject(const std::string& fileName, const char* purpose)
    : handle(dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle == nullptr) {
        const char* reason = dlerror();
        throw LogicalException((std::string("cannot load ") + purpose + " " + fileName + ": " +
                                (reason != nullptr ? reason : "unknown reason"))
                                   .c_str());
    }
}

void* SharedObject::symbol(const char* name) const { return dlsym(handle, name); }

}  // namespace Core
}  // namespace Quelt
