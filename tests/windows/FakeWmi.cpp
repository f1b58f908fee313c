#include "FakeWmi.h"

#include <stdexcept>

FakeWmi::FakeWmi() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        throw std::runtime_error("CoInitializeEx");
    if (FAILED(CoRegisterClassObject(CLSID_WbemLocator, static_cast<IClassFactory*>(this),
                                     CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &registration))) {
        CoUninitialize();
        throw std::runtime_error("CoRegisterClassObject");
    }
}

FakeWmi::~FakeWmi() {
    CoRevokeClassObject(registration);
    CoUninitialize();
}

// The registration's own reference is not one the query holds.
LONG FakeWmi::References() const { return references - (registration != 0 ? 1 : 0); }

template <typename Interface>
HRESULT FakeWmi::HandOut(Interface* object, Interface** target) {
    AddRef();
    *target = object;
    return S_OK;
}

HRESULT FakeWmi::QueryInterface(REFIID id, void** object) {
    if (id == IID_IUnknown || id == IID_IClassFactory) {
        return HandOut(static_cast<IClassFactory*>(this),
                       reinterpret_cast<IClassFactory**>(object));
    }
    if (id == IID_IWbemLocator) {
        return HandOut(static_cast<IWbemLocator*>(this), reinterpret_cast<IWbemLocator**>(object));
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeWmi::AddRef() { return static_cast<ULONG>(++references); }

ULONG FakeWmi::Release() { return static_cast<ULONG>(--references); }

HRESULT FakeWmi::CreateInstance(IUnknown*, REFIID id, void** object) {
    if (failing == kCreateInstance) {
        *object = nullptr;
        return REGDB_E_CLASSNOTREG;
    }
    return QueryInterface(id, object);
}

HRESULT FakeWmi::ConnectServer(const BSTR, const BSTR, const BSTR, const BSTR, LONG, const BSTR,
                               IWbemContext*, IWbemServices** services) {
    if (failing == kConnectServer) return WBEM_E_INVALID_NAMESPACE;
    return HandOut(static_cast<IWbemServices*>(this), services);
}

HRESULT FakeWmi::ExecQuery(const BSTR, const BSTR, LONG, IWbemContext*,
                           IEnumWbemClassObject** enumerator) {
    if (failing == kExecQuery) return WBEM_E_INVALID_QUERY;
    return HandOut(static_cast<IEnumWbemClassObject*>(this), enumerator);
}

HRESULT FakeWmi::Next(LONG, ULONG count, IWbemClassObject** objects, ULONG* returned) {
    *returned = 0;
    if (failing == kNext) return WBEM_E_FAILED;
    while (*returned < count && enumerated < controllers.size()) {
        objects[(*returned)++] = controllers[enumerated++];
    }
    return *returned == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}
