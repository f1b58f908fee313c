#include "quelt/src/core/SharedObject.h"

#include <windows.h>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/windows/SystemError.h"

namespace Quelt {
namespace Core {

SharedObject::SharedObject(const std::string& fileName, const char* purpose)
    : handle(LoadLibraryA(fileName.c_str())) {
    if (handle == nullptr) {
        const DWORD error = GetLastError();
        throw LogicalException(
            (std::string("cannot load ") + purpose + " " + fileName + ": " + systemErrorText(error))
                .c_str());
    }
}

void* SharedObject::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

}  // namespace Core
}  // namespace Quelt
