#include "gpu/win/WMIData.h"

#include "gpu/win/windows/WbemProperty.h"

WMIData::WMIData(IWbemClassObject* object, int vendorID, int deviceID)
    : AdapterRAM(0), VendorID(vendorID), DeviceID(deviceID) {
    GetUintProperty(object, L"AdapterRAM", AdapterRAM);
    GetStringProperty(object, L"Name", Name);
    GetStringProperty(object, L"Caption", Caption);
    GetStringProperty(object, L"InstalledDisplayDrivers", InstalledDisplayDrivers);
    GetStringProperty(object, L"VideoModeDescription", VideoModeDescription);
    GetStringProperty(object, L"DriverVersion", DriverVersion);
    GetStringProperty(object, L"DriverDate", DriverDate);
}
