#include "gpu/win/windows/DescribeAllProperties.h"

#include <cwchar>

#include "gpu/win/windows/WbemProperty.h"

namespace {

const wchar_t* const kVideoControllerProperties[] = {
    L"AcceleratorCapabilities",
    L"AdapterCompatibility",
    L"AdapterDACType",
    L"AdapterRAM",
    L"Availability",
    L"CapabilityDescriptions",
    L"Caption",
    L"ColorTableEntries",
    L"ConfigManagerErrorCode",
    L"ConfigManagerUserConfig",
    L"CreationClassName",
    L"CurrentBitsPerPixel",
    L"CurrentHorizontalResolution",
    L"CurrentNumberOfColors",
    L"CurrentNumberOfColumns",
    L"CurrentNumberOfRows",
    L"CurrentRefreshRate",
    L"CurrentScanMode",
    L"CurrentVerticalResolution",
    L"Description",
    L"DeviceID",
    L"DeviceSpecificPens",
    L"DitherType",
    L"DriverDate",
    L"DriverVersion",
    L"ErrorCleared",
    L"ErrorDescription",
    L"ICMIntent",
    L"ICMMethod",
    L"InfFilename",
    L"InfSection",
    L"InstallDate",
    L"InstalledDisplayDrivers",
    L"LastErrorCode",
    L"MaxMemorySupported",
    L"MaxNumberControlled",
    L"MaxRefreshRate",
    L"MinRefreshRate",
    L"Monochrome",
    L"Name",
    L"NumberOfColorPlanes",
    L"NumberOfVideoPages",
    L"PNPDeviceID",
    L"PowerManagementCapabilities",
    L"PowerManagementSupported",
    L"ProtocolSupported",
    L"ReservedSystemPaletteEntries",
    L"SpecificationVersion",
    L"Status",
    L"StatusInfo",
    L"SystemCreationClassName",
    L"SystemName",
    L"SystemPaletteEntries",
    L"TimeOfLastReset",
    L"VideoArchitecture",
    L"VideoMemoryType",
    L"VideoMode",
    L"VideoModeDescription",
    L"VideoProcessor",
};

}  // namespace

std::string DescribeAllProperties(IWbemClassObject* object) {
    std::string description;
    for (const wchar_t* name : kVideoControllerProperties) {
        std::string value;
        if (GetStringProperty(object, name, value)) {
            description += EscapeWindowsText(name, std::wcslen(name)) + "=" + value + "\n";
        }
    }
    return description;
}
