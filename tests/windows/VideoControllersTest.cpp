// The video-controller query on the machine's own WMI, DXGI and Direct3D 9
// (Wine's, in the test script: one controller and one adapter), and on a WMI
// with scripted controllers and failures beside the machine's own adapters.
#include <dxgi.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <vector>

#include "FailureText.h"
#include "FakeWbemObject.h"
#include "FakeWmi.h"
#include "gpu/win/VideoControllers.h"
#include "gpu/win/windows/DynamicLibrary.h"
#include "gpu/win/windows/SharedComPointer.h"

namespace {

// What DXGI itself says about the first adapter.
DXGI_ADAPTER_DESC FirstAdapter() {
    DXGI_ADAPTER_DESC description = {};
    IDXGIFactory* factoryObject = nullptr;
    EXPECT_EQ(S_OK,
              CreateDXGIFactory(__uuidof(IDXGIFactory), reinterpret_cast<void**>(&factoryObject)));
    const boost::shared_ptr<IDXGIFactory> factory = ShareComPointer(factoryObject);
    IDXGIAdapter* adapterObject = nullptr;
    if (factory && SUCCEEDED(factory->EnumAdapters(0, &adapterObject))) {
        ShareComPointer(adapterObject)->GetDesc(&description);
    }
    return description;
}

TEST(GetVideoControllersTest, OneRecordPerControllerWithTheIdsOfItsAdapter) {
    const std::vector<WMIData> controllers = GetVideoControllers();
    ASSERT_EQ(1u, controllers.size());
    const WMIData& controller = controllers[0];
    EXPECT_EQ("NVIDIA GeForce GTX 470", controller.Name);
    EXPECT_EQ("NVIDIA GeForce GTX 470", controller.Caption);
    EXPECT_EQ("nvd3dum.dll", controller.InstalledDisplayDrivers);
    EXPECT_EQ("30.0.14023.3004", controller.DriverVersion);
    EXPECT_EQ("20220118000000.000000-000", controller.DriverDate);
    EXPECT_EQ(-1048576, controller.AdapterRAM);

    const DXGI_ADAPTER_DESC adapter = FirstAdapter();
    EXPECT_NE(0u, adapter.VendorId);
    EXPECT_EQ(static_cast<int>(adapter.VendorId), controller.VendorID);
    EXPECT_EQ(static_cast<int>(adapter.DeviceId), controller.DeviceID);
}

// Nothing is kept between calls: COM, its security and the libraries are set up
// anew each time.
TEST(GetVideoControllersTest, RepeatedCallsAnswerAlike) {
    const std::vector<WMIData> first = GetVideoControllers();
    const std::vector<WMIData> second = GetVideoControllers();
    ASSERT_EQ(first.size(), second.size());
    for (size_t index = 0; index < first.size(); ++index) {
        EXPECT_EQ(first[index].Name, second[index].Name);
        EXPECT_EQ(first[index].VendorID, second[index].VendorID);
        EXPECT_EQ(first[index].DeviceID, second[index].DeviceID);
    }
}

TEST(GetVideoControllersTest, AThreadInAnotherApartmentModelFailsWithCoInitializeEx) {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ("CoInitializeEx", FailureText([] { GetVideoControllers(); }));
    CoUninitialize();
}

// Wine has one adapter: the first kept controller pairs with it, the next with
// none.
TEST(GetVideoControllersTest, ControllersInErrorTakeNoAdapterPosition) {
    FakeWbemObject failed;
    failed.Script(L"Status", TextValue(L"Error"));
    failed.Script(L"Name", TextValue(L"Failed"));
    FakeWbemObject first;
    first.Script(L"Status", TextValue(L"OK"));
    first.Script(L"Name", TextValue(L"First \u00e9"));
    FakeWbemObject second;
    second.Script(L"Name", TextValue(L"Second"));
    FakeWmi wmi;
    wmi.controllers = {&failed, &first, &second};

    const std::vector<WMIData> controllers = GetVideoControllers();
    ASSERT_EQ(2u, controllers.size());
    const DXGI_ADAPTER_DESC adapter = FirstAdapter();
    EXPECT_EQ("First \\x00e9", controllers[0].Name);
    EXPECT_EQ(static_cast<int>(adapter.VendorId), controllers[0].VendorID);
    EXPECT_EQ(static_cast<int>(adapter.DeviceId), controllers[0].DeviceID);
    EXPECT_EQ("Second", controllers[1].Name);
    EXPECT_EQ(0, controllers[1].VendorID);
    EXPECT_EQ(0, controllers[1].DeviceID);
    EXPECT_EQ("", controllers[1].Caption);
    EXPECT_EQ(0, wmi.References());
}

TEST(GetVideoControllersTest, AFailingWMIStepFailsWithItsTextAndReleasesWhatItGot) {
    const std::pair<FakeWmi::Step, const char*> failures[] = {
        {FakeWmi::kCreateInstance, "CoCreateInstance"},
        {FakeWmi::kConnectServer, "pLoc->ConnectServer"},
        {FakeWmi::kExecQuery, "pSvc->ExecQuery"},
        {FakeWmi::kNext, "pEnumerator->Next"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.second);
        FakeWmi wmi;
        wmi.failing = failure.first;
        EXPECT_EQ(failure.second, FailureText([] { GetVideoControllers(); }));
        EXPECT_EQ(0, wmi.References());
    }
}

TEST(DynamicLibraryTest, AMissingLibraryOrExportGivesNoFunction) {
    DynamicLibrary missing("QueltNoSuchLibrary.dll");
    EXPECT_EQ(nullptr, missing.GetFunction("Direct3DCreate9"));

    DynamicLibrary d3d9("D3D9.dll");
    EXPECT_NE(nullptr, d3d9.GetFunction("Direct3DCreate9"));
    EXPECT_EQ(nullptr, d3d9.GetFunction("QueltNoSuchExport"));
}

}  // namespace
