// Reading WMI properties: scripted answers for the cases a real object does not
// give, and the Win32_VideoController object of the machine (Wine's, in the
// test script).
#include <comdef.h>
#include <gtest/gtest.h>
#include <wbemidl.h>

#include <boost/shared_ptr.hpp>
#include <memory>
#include <stdexcept>
#include <string>

#include "FakeWbemObject.h"
#include "gpu/win/windows/ComInitializer.h"
#include "gpu/win/windows/DescribeAllProperties.h"
#include "gpu/win/windows/SharedComPointer.h"
#include "gpu/win/windows/WbemProperty.h"

namespace {

TEST(WbemPropertyTest, NumbersAreReadFromVT_I4Only) {
    FakeWbemObject object;
    object.Script(L"AdapterRAM", NumberValue(-1048576));
    object.Script(L"Name", TextValue(L"1024"));
    object.Script(L"Availability", NullValue());

    int value = 7;
    EXPECT_TRUE(GetUintProperty(&object, L"AdapterRAM", value));
    EXPECT_EQ(-1048576, value);
    for (const wchar_t* name : {L"Name", L"Availability", L"Missing"}) {
        value = 7;
        EXPECT_FALSE(GetUintProperty(&object, name, value)) << name;
        EXPECT_EQ(0, value) << name;
    }
}

TEST(WbemPropertyTest, TextsAreReadFromBSTROnlyAndEscapedUnitByUnit) {
    FakeWbemObject object;
    object.Script(L"Name", TextValue(L"ATI Radeon\u00ae \xd83d\xde00"));
    object.Script(L"InfSection", TextValue(std::wstring(L"a\0b", 3)));
    object.Script(L"Description", TextValue(L""));
    object.Script(L"AdapterRAM", NumberValue(5));
    object.Script(L"InstallDate", NullValue());

    std::string value;
    EXPECT_TRUE(GetStringProperty(&object, L"Name", value));
    EXPECT_EQ("ATI Radeon\\x00ae \\xd83d\\xde00", value);
    EXPECT_TRUE(GetStringProperty(&object, L"InfSection", value));
    EXPECT_EQ("a\\x0000b", value);
    EXPECT_TRUE(GetStringProperty(&object, L"Description", value));
    EXPECT_EQ("", value);
    for (const wchar_t* name : {L"AdapterRAM", L"InstallDate", L"Missing"}) {
        value = "earlier";
        EXPECT_FALSE(GetStringProperty(&object, name, value)) << name;
        EXPECT_EQ("", value) << name;
    }
}

// A value of the wrong type is released as well, even one a failing Get left.
TEST(WbemPropertyTest, TheValueIsClearedWhateverTheOutcome) {
    ReleaseCounter counter;
    FakeWbemObject object;
    object.Script(L"Unknown", UnknownValue(counter));
    object.Script(L"Failing", Failing(WBEM_E_FAILED, UnknownValue(counter)));

    int number = 0;
    std::string text;
    EXPECT_FALSE(GetUintProperty(&object, L"Unknown", number));
    EXPECT_FALSE(GetStringProperty(&object, L"Unknown", text));
    EXPECT_FALSE(GetUintProperty(&object, L"Failing", number));
    EXPECT_FALSE(GetStringProperty(&object, L"Failing", text));
    EXPECT_EQ(4, counter.releases);
}

void Check(HRESULT result, const char* call) {
    if (FAILED(result)) throw std::runtime_error(call);
}

// The first Win32_VideoController instance, with COM and the WMI connection
// that it needs kept for as long as it is used.
struct FirstVideoController {
    FirstVideoController() {
        IWbemLocator* locatorObject = nullptr;
        Check(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                               reinterpret_cast<void**>(&locatorObject)),
              "CoCreateInstance");
        locator = ShareComPointer(locatorObject);
        IWbemServices* servicesObject = nullptr;
        Check(locator->ConnectServer(_bstr_t(L"ROOT\\CIMV2"), nullptr, nullptr, nullptr, 0, nullptr,
                                     nullptr, &servicesObject),
              "ConnectServer");
        services = ShareComPointer(servicesObject);
        IEnumWbemClassObject* enumeratorObject = nullptr;
        Check(services->ExecQuery(_bstr_t(L"WQL"), _bstr_t(L"SELECT * FROM Win32_VideoController"),
                                  WBEM_FLAG_FORWARD_ONLY, nullptr, &enumeratorObject),
              "ExecQuery");
        const boost::shared_ptr<IEnumWbemClassObject> enumerator =
            ShareComPointer(enumeratorObject);
        IWbemClassObject* controllerObject = nullptr;
        ULONG returned = 0;
        Check(enumerator->Next(WBEM_INFINITE, 1, &controllerObject, &returned), "Next");
        if (controllerObject == nullptr) throw std::runtime_error("no Win32_VideoController");
        controller = ShareComPointer(controllerObject);
    }

    const ComInitializer com;
    boost::shared_ptr<IWbemLocator> locator;
    boost::shared_ptr<IWbemServices> services;
    boost::shared_ptr<IWbemClassObject> controller;
};

class WineVideoControllerTest : public testing::Test {
protected:
    void SetUp() override { wmi = std::make_unique<FirstVideoController>(); }

    IWbemClassObject* Controller() const { return wmi->controller.get(); }

    std::string Property(const wchar_t* name) const {
        std::string value;
        EXPECT_TRUE(GetStringProperty(Controller(), name, value)) << name;
        return value;
    }

    std::unique_ptr<FirstVideoController> wmi;
};

TEST_F(WineVideoControllerTest, PropertiesReadAsWineGivesThem) {
    int adapterRAM = 0;
    EXPECT_TRUE(GetUintProperty(Controller(), L"AdapterRAM", adapterRAM));
    EXPECT_EQ(-1048576, adapterRAM);
    EXPECT_EQ("NVIDIA GeForce GTX 470", Property(L"Name"));
    EXPECT_EQ("NVIDIA GeForce GTX 470", Property(L"Caption"));
    EXPECT_EQ("nvd3dum.dll", Property(L"InstalledDisplayDrivers"));
    EXPECT_EQ("30.0.14023.3004", Property(L"DriverVersion"));
    EXPECT_EQ("20220118000000.000000-000", Property(L"DriverDate"));
    EXPECT_EQ("OK", Property(L"Status"));

    int number = 0;
    EXPECT_FALSE(GetUintProperty(Controller(), L"Name", number));
    std::string text;
    EXPECT_FALSE(GetStringProperty(Controller(), L"AdapterRAM", text));
}

TEST_F(WineVideoControllerTest, DescribeAllPropertiesListsTheTextPropertiesInTableOrder) {
    const std::string description = DescribeAllProperties(Controller());
    const size_t caption = description.find("Caption=NVIDIA GeForce GTX 470\n");
    const size_t name = description.find("\nName=NVIDIA GeForce GTX 470\n");
    ASSERT_NE(std::string::npos, caption) << description;
    ASSERT_NE(std::string::npos, name) << description;
    EXPECT_LT(caption, name);
    EXPECT_NE(std::string::npos, description.find("\nStatus=OK\n")) << description;
    EXPECT_EQ(std::string::npos, description.find("AdapterRAM=")) << description;
}

}  // namespace
