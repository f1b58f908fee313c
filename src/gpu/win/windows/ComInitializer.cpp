#include "gpu/win/windows/ComInitializer.h"

#include <objbase.h>

#include "failure/FailRequirement.h"

ComInitializer::ComInitializer() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        FailRequirement("CoInitializeEx");
}

// Every successful CoInitializeEx, S_FALSE for a thread that already had the
// apartment included, is balanced by one CoUninitialize.
ComInitializer::~ComInitializer() { CoUninitialize(); }
