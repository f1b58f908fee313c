// A libpci.so.3 whose ID database is always corrupt: every lookup ends in the
// error handler, which libpci's own code never expects to return.
extern "C" {
#include <pci/pci.h>
}

#include <cstdlib>

extern "C" {

pci_access* pci_alloc() { return static_cast<pci_access*>(std::calloc(1, sizeof(pci_access))); }

void pci_cleanup(pci_access* access) { std::free(access); }

char* pci_lookup_name(pci_access* access, char*, int, int, ...) {
    access->error(const_cast<char*>("%s, line %d: syntax error"), "pci.ids", 1);
    // libpci's callers would go on with a half-read database.
    std::abort();
}
}
