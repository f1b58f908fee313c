#pragma once

#include <string>

struct IWbemClassObject;

// One display adapter as the operating system describes it (on Windows, one
// Win32_VideoController instance), with the PCI vendor and device ids of the
// adapter. Texts from wide-character sources are escaped with EscapeWideText.
class WMIData {
public:
    // An adapter nothing is known about: every number 0, every text "?".
    WMIData();
    WMIData(int adapterRAM, int vendorID, int deviceID, const std::string& name,
            const std::string& caption, const std::string& installedDisplayDrivers,
            const std::string& videoModeDescription, const std::string& driverVersion,
            const std::string& driverDate);
    // One Win32_VideoController instance, with the PCI ids of its adapter, which
    // WMI does not give (Windows only).
    WMIData(IWbemClassObject* object, int vendorID, int deviceID);
    WMIData(const WMIData& other) = default;
    WMIData& operator=(const WMIData& other) = default;
    virtual ~WMIData();

    // Dedicated memory in bytes, capped to 32 bits; read it as unsigned.
    int AdapterRAM;
    int VendorID;
    int DeviceID;
    std::string Name;
    std::string Caption;
    std::string InstalledDisplayDrivers;
    std::string VideoModeDescription;
    std::string DriverVersion;
    std::string DriverDate;
};
