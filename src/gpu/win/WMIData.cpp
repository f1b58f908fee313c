#include "gpu/win/WMIData.h"

WMIData::WMIData()
    : AdapterRAM(0),
      VendorID(0),
      DeviceID(0),
      Name("?"),
      Caption("?"),
      InstalledDisplayDrivers("?"),
      VideoModeDescription("?"),
      DriverVersion("?"),
      DriverDate("?") {}

WMIData::WMIData(int adapterRAM, int vendorID, int deviceID, const std::string& name,
                 const std::string& caption, const std::string& installedDisplayDrivers,
                 const std::string& videoModeDescription, const std::string& driverVersion,
                 const std::string& driverDate)
    : AdapterRAM(adapterRAM),
      VendorID(vendorID),
      DeviceID(deviceID),
      Name(name),
      Caption(caption),
      InstalledDisplayDrivers(installedDisplayDrivers),
      VideoModeDescription(videoModeDescription),
      DriverVersion(driverVersion),
      DriverDate(driverDate) {}

WMIData::~WMIData() {}
