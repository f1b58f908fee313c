#include "quelt/quelt_core/posix/PciNames.h"

// Only libpci's declarations: the library itself is opened at run time, so that
// a machine without it still gets names. Its header declares C functions
// without saying so.
extern "C" {
#include <pci/pci.h>
}

#include <csetjmp>
#include <cstdio>
#include <mutex>
#include <optional>

#include "quelt/quelt_core/Exception.h"
#include "quelt/src/core/SharedObject.h"

namespace Quelt {
namespace Core {

namespace {

// libpci's error handler must not return. libpci calls it when its ID database
// is corrupt or memory runs out, and its default one ends the program; ours
// jumps back to the lookup, which gives up on libpci.
std::jmp_buf lookupFailed;

[[noreturn]] void abandonLookup(char*, ...) { std::longjmp(lookupFailed, 1); }

// Warnings and debugging messages (a missing database or cache) are not ours
// to print.
void ignoreMessage(char*, ...) {}

class PciLibrary {
public:
    static PciLibrary& instance() {
        static PciLibrary library;
        return library;
    }

    // Nothing where libpci is missing or has failed.
    std::optional<std::string> name(unsigned vendorId, unsigned deviceId) {
        std::lock_guard<std::mutex> lock(mutex);
        if (cleanup == nullptr || abandoned != nullptr) return std::nullopt;
        // An access of its own for every lookup: libpci loses a little memory
        // on each further lookup of an access where the system has no hardware
        // database. Names need no access method, so pci_init, whose probing
        // ends in the error handler on a machine without PCI, is never called.
        pci_access* access = alloc();
        access->error = abandonLookup;
        access->warning = ignoreMessage;
        access->debug = ignoreMessage;
        // libpci cuts a name that does not fit the buffer.
        char buffer[maxPciNameLength + 1];
        const char* found = lookUp(access, buffer, vendorId, deviceId);
        if (found == nullptr) {
            // libpci may have left the access half-built: it is kept as it is,
            // and libpci is not asked again.
            abandoned = access;
            return std::nullopt;
        }
        const std::string name(found);
        cleanup(access);
        return name;
    }

private:
    PciLibrary() {
        try {
            const SharedObject library("libpci.so.3", "the PCI ID library");
            alloc = reinterpret_cast<decltype(&pci_alloc)>(library.symbol("pci_alloc"));
            lookupName =
                reinterpret_cast<decltype(&pci_lookup_name)>(library.symbol("pci_lookup_name"));
            if (alloc != nullptr && lookupName != nullptr) {
                cleanup = reinterpret_cast<decltype(&pci_cleanup)>(library.symbol("pci_cleanup"));
            }
        } catch (const LogicalException&) {
        }
    }

    // A frame of its own with nothing to destroy, for the jump back from the
    // error handler.
    const char* lookUp(pci_access* access, char (&buffer)[maxPciNameLength + 1], unsigned vendorId,
                       unsigned deviceId) {
        if (setjmp(lookupFailed) != 0) return nullptr;
        return lookupName(access, buffer, sizeof buffer, PCI_LOOKUP_VENDOR | PCI_LOOKUP_DEVICE,
                          static_cast<int>(vendorId), static_cast<int>(deviceId));
    }

    std::mutex mutex;
    // cleanup is set only where the other two are.
    decltype(&pci_alloc) alloc = nullptr;
    decltype(&pci_lookup_name) lookupName = nullptr;
    decltype(&pci_cleanup) cleanup = nullptr;
    pci_access* abandoned = nullptr;
};

}  // namespace

std::string pciDeviceName(unsigned vendorId, unsigned deviceId) {
    if (std::optional<std::string> name = PciLibrary::instance().name(vendorId, deviceId)) {
        return *name;
    }
    char name[32];
    std::snprintf(name, sizeof name, "Device %04x:%04x", vendorId, deviceId);
    return name;
}

}  // namespace Core
}  // namespace Quelt
