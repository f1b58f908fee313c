// The machine's display adapters as WMI describes them (Win32_VideoController),
// each with the PCI ids that DXGI, or else Direct3D 9, gives for the adapter at
// the same position. DXGI.dll and D3D9.dll are opened at run time, so that a
// machine without them still gets its records.
#include "gpu/win/VideoControllers.h"

#include <comdef.h>
#include <d3d9.h>
#include <dxgi.h>
#include <wbemidl.h>

#include <boost/shared_ptr.hpp>
#include <string>

#include "failure/FailRequirement.h"
#include "gpu/win/windows/ComInitializer.h"
#include "gpu/win/windows/DynamicLibrary.h"
#include "gpu/win/windows/SharedComPointer.h"
#include "gpu/win/windows/WbemProperty.h"

namespace {

// A machine has a handful of video controllers; an enumerator that goes on
// answering past this many rows is broken, and reading on would never end.
const size_t kMaxVideoControllerRows = 1024;

typedef HRESULT(WINAPI* CreateDXGIFactoryFunction)(REFIID, void**);
typedef IDirect3D9*(WINAPI* Direct3DCreate9Function)(UINT);

// DXGI is asked only on systems whose Direct3D 9 has Direct3DCreate9Ex, the
// ones with the display driver model DXGI belongs to.
boost::shared_ptr<IDXGIFactory> CreateFactory(DynamicLibrary& dxgi, DynamicLibrary& d3d9) {
    if (d3d9.GetFunction("Direct3DCreate9Ex") == nullptr) return {};
    const CreateDXGIFactoryFunction create =
        reinterpret_cast<CreateDXGIFactoryFunction>(dxgi.GetFunction("CreateDXGIFactory"));
    IDXGIFactory* factory = nullptr;
    if (create == nullptr ||
        FAILED(create(__uuidof(IDXGIFactory), reinterpret_cast<void**>(&factory)))) {
        return {};
    }
    return ShareComPointer(factory);
}

boost::shared_ptr<IDirect3D9> CreateDirect3D(DynamicLibrary& d3d9) {
    const Direct3DCreate9Function create =
        reinterpret_cast<Direct3DCreate9Function>(d3d9.GetFunction("Direct3DCreate9"));
    return ShareComPointer(create != nullptr ? create(D3D_SDK_VERSION) : nullptr);
}

// The PCI ids of the adapter at a position: DXGI's where it gives both, with
// Direct3D 9 filling in what is still 0.
void GetAdapterIDs(IDXGIFactory* factory, IDirect3D9* direct3D, UINT index, int& vendorID,
                   int& deviceID) {
    vendorID = 0;
    deviceID = 0;
    IDXGIAdapter* adapterObject = nullptr;
    if (factory != nullptr && SUCCEEDED(factory->EnumAdapters(index, &adapterObject))) {
        const boost::shared_ptr<IDXGIAdapter> adapter = ShareComPointer(adapterObject);
        DXGI_ADAPTER_DESC description = {};
        if (SUCCEEDED(adapter->GetDesc(&description))) {
            vendorID = static_cast<int>(description.VendorId);
            deviceID = static_cast<int>(description.DeviceId);
        }
        if (vendorID != 0 && deviceID != 0) return;
    }
    D3DADAPTER_IDENTIFIER9 identifier = {};
    if (direct3D != nullptr && direct3D->GetAdapterIdentifier(index, 0, &identifier) == D3D_OK) {
        if (vendorID == 0) vendorID = static_cast<int>(identifier.VendorId);
        if (deviceID == 0) deviceID = static_cast<int>(identifier.DeviceId);
    }
}

}  // namespace

// The objects are declared in the order they are obtained, so that every way
// out, FailRequirement's exception included, releases them in reverse: the WMI
// objects, then COM itself, then the Direct3D objects and their libraries.
std::vector<WMIData> GetVideoControllers() {
    DynamicLibrary dxgi("DXGI.dll");
    DynamicLibrary d3d9("D3D9.dll");
    const boost::shared_ptr<IDXGIFactory> factory = CreateFactory(dxgi, d3d9);
    const boost::shared_ptr<IDirect3D9> direct3D = CreateDirect3D(d3d9);

    const ComInitializer com;
    if (FAILED(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr))) {
        FailRequirement("CoInitializeSecurity");
    }

    IWbemLocator* locatorObject = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(&locatorObject)))) {
        FailRequirement("CoCreateInstance");
    }
    const boost::shared_ptr<IWbemLocator> locator = ShareComPointer(locatorObject);

    IWbemServices* servicesObject = nullptr;
    if (FAILED(locator->ConnectServer(_bstr_t(L"ROOT\\CIMV2"), nullptr, nullptr, nullptr, 0,
                                      nullptr, nullptr, &servicesObject))) {
        FailRequirement("pLoc->ConnectServer");
    }
    const boost::shared_ptr<IWbemServices> services = ShareComPointer(servicesObject);

    IEnumWbemClassObject* enumeratorObject = nullptr;
    if (FAILED(services->ExecQuery(_bstr_t(L"WQL"), _bstr_t(L"SELECT * FROM Win32_VideoController"),
                                   WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                   &enumeratorObject))) {
        FailRequirement("pSvc->ExecQuery");
    }
    const boost::shared_ptr<IEnumWbemClassObject> enumerator = ShareComPointer(enumeratorObject);

    // A controller in the "Error" state is not an adapter DXGI or Direct3D 9
    // counts, so it takes no position.
    std::vector<WMIData> controllers;
    for (size_t rows = 0; enumerator; ++rows) {
        IWbemClassObject* controllerObject = nullptr;
        ULONG returned = 0;
        if (FAILED(enumerator->Next(WBEM_INFINITE, 1, &controllerObject, &returned))) {
            FailRequirement("pEnumerator->Next");
        }
        if (controllerObject == nullptr) break;
        const boost::shared_ptr<IWbemClassObject> controller = ShareComPointer(controllerObject);
        if (rows == kMaxVideoControllerRows) {
            FailRequirement(("pEnumerator->Next answered more than " +
                             std::to_string(kMaxVideoControllerRows) + " rows")
                                .c_str());
        }

        std::string status;
        if (GetStringProperty(controller.get(), L"Status", status) && status == "Error") continue;
        int vendorID = 0;
        int deviceID = 0;
        GetAdapterIDs(factory.get(), direct3D.get(), static_cast<UINT>(controllers.size()),
                      vendorID, deviceID);
        controllers.push_back(WMIData(controller.get(), vendorID, deviceID));
    }
    return controllers;
}
