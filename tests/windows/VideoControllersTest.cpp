// The video-controller query on Wine's own WMI, DXGI and Direct3D 9: one controller
// and one adapter. Where a test needs what Wine never gives (a controller in the
// "Error" state, a property of an odd type, a failing call), one method of one of
// Wine's objects is replaced; the object keeps its data and its other methods.
#include <comdef.h>
#include <gtest/gtest.h>
#include <wbemidl.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FailureText.h"
#include "gpu/win/VideoControllers.h"
#include "gpu/win/windows/WbemProperty.h"

namespace {

// The method a replacement took the place of.
template <auto Replacement>
decltype(Replacement) original = nullptr;

// Gives a COM object a copy of its method table, of size entries, whose entry at
// slot is Replacement. Slots count IUnknown's three methods first, then the
// interface's in their declared order.
template <auto Replacement>
void Replace(void* object, size_t size, size_t slot) {
    static std::vector<std::vector<void*> > tables;
    void**& table = *static_cast<void***>(object);
    original<Replacement> = reinterpret_cast<decltype(Replacement)>(table[slot]);
    tables.emplace_back(table, table + size);
    tables.back()[slot] = reinterpret_cast<void*>(Replacement);
    table = tables.back().data();
}

typedef std::function<HRESULT(VARIANT*)> Answer;

// What the replaced methods do in the running test.
struct Script {
    HRESULT create = S_OK;
    const wchar_t* space = nullptr;  // ConnectServer's namespace in place of the one asked
    const wchar_t* query = nullptr;  // ExecQuery's query in place of the one asked
    HRESULT next = S_OK;
    std::deque<IWbemClassObject*> rows;  // Next's rows; a null one stands for Wine's next row
    std::map<std::pair<IWbemClassObject*, std::wstring>, Answer> answers;  // Get's
} script;

// The objects Wine handed out, each with a reference of the test's; the rows Next
// gave among them.
std::vector<IUnknown*> handedOut;
std::vector<IWbemClassObject*> rowsGiven;

template <typename Object>
Object* Keep(Object* object) {
    object->AddRef();
    handedOut.push_back(object);
    return object;
}

HRESULT STDMETHODCALLTYPE Get(IWbemClassObject* self, LPCWSTR name, LONG flags, VARIANT* value,
                              CIMTYPE* type, LONG* flavor) {
    const auto answer = script.answers.find({self, name});
    if (answer != script.answers.end()) return answer->second(value);
    return original<Get>(self, name, flags, value, type, flavor);
}

HRESULT STDMETHODCALLTYPE Next(IEnumWbemClassObject* self, LONG timeout, ULONG count,
                               IWbemClassObject** rows, ULONG* returned) {
    if (FAILED(script.next)) return script.next;
    IWbemClassObject* row = script.rows.empty() ? nullptr : script.rows.front();
    if (!script.rows.empty()) script.rows.pop_front();
    if (row == nullptr) {
        const HRESULT result = original<Next>(self, timeout, count, rows, returned);
        if (*returned == 1) rowsGiven.push_back(Keep(*rows));
        return result;
    }
    row->AddRef();
    *rows = row;
    *returned = 1;
    return WBEM_S_NO_ERROR;
}

HRESULT STDMETHODCALLTYPE ExecQuery(IWbemServices* self, BSTR language, BSTR query, LONG flags,
                                    IWbemContext* context, IEnumWbemClassObject** rows) {
    const _bstr_t asked(script.query != nullptr ? script.query : query);
    const HRESULT result = original<ExecQuery>(self, language, asked, flags, context, rows);
    if (SUCCEEDED(result)) Replace<Next>(Keep(*rows), 8, 4);
    return result;
}

HRESULT STDMETHODCALLTYPE ConnectServer(IWbemLocator* self, BSTR space, BSTR user, BSTR password,
                                        BSTR locale, LONG flags, BSTR authority,
                                        IWbemContext* context, IWbemServices** services) {
    const _bstr_t asked(script.space != nullptr ? script.space : space);
    const HRESULT result = original<ConnectServer>(self, asked, user, password, locale, flags,
                                                   authority, context, services);
    if (SUCCEEDED(result)) Replace<ExecQuery>(Keep(*services), 26, 20);
    return result;
}

Answer Text(const std::wstring& units) {
    return [units](VARIANT* value) {
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
        return WBEM_S_NO_ERROR;
    };
}

// An object as VT_UNKNOWN, with a reference for the caller; Get answers result.
Answer Unknown(IUnknown* object, HRESULT result) {
    return [object, result](VARIANT* value) {
        V_VT(value) = VT_UNKNOWN;
        V_UNKNOWN(value) = object;
        object->AddRef();
        return result;
    };
}

std::string Describe(const WMIData& data) {
    return data.Name + "|" + data.Caption + "|" + data.InstalledDisplayDrivers + "|" +
           data.VideoModeDescription + "|" + data.DriverVersion + "|" + data.DriverDate + "|" +
           std::to_string(data.AdapterRAM) + "|" + std::to_string(data.VendorID) + "|" +
           std::to_string(data.DeviceID);
}

// A property of a row as Wine's WMI answers it, a number as its decimal text.
std::string WineValue(IWbemClassObject* row, const wchar_t* name) {
    VARIANT value;
    VariantInit(&value);
    row->Get(name, 0, &value, nullptr, nullptr);
    std::wstring text = L"?";
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR)))
        text.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
    VariantClear(&value);
    return std::string(text.begin(), text.end());
}

// A row of Wine's as Describe writes a record of it, with the ids given. The driver
// version and date and the memory size are Wine's to choose (they differ between
// its versions, and AdapterRAM between its 32-bit and 64-bit WMI), so they are
// read from Wine rather than pinned.
std::string WineController(IWbemClassObject* row, const char* ids) {
    std::string text;
    for (const wchar_t* name :
         {L"Name", L"Caption", L"InstalledDisplayDrivers", L"VideoModeDescription",
          L"DriverVersion", L"DriverDate", L"AdapterRAM"})
        text += WineValue(row, name) + "|";
    return text + ids;
}

// The ids of Wine's one adapter: the PCI ids of the card its WMI describes.
const char kWineIds[] = "4318|1741";

// Runs in a single-threaded apartment whose locator class is the fixture: it gives
// Wine's locator with ConnectServer replaced. Checks that every object Wine handed
// out was released. A controller object of Wine's is at hand, with Get replaced.
class VideoControllers : public testing::Test, public IClassFactory {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        script = Script();
        CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                         reinterpret_cast<void**>(&locator));
        Replace<ConnectServer>(locator, 4, 3);
        handedOut.push_back(locator);
        CoRegisterClassObject(CLSID_WbemLocator, static_cast<IClassFactory*>(this),
                              CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &registration);
        GetVideoControllers();
        ASSERT_EQ(1u, rowsGiven.size());
        controller = rowsGiven[0];
        Replace<Get>(controller, 27, 4);
    }
    void TearDown() override {
        CoRevokeClassObject(registration);
        // A row holds its enumerator: the last handed out goes first.
        for (auto object = handedOut.rbegin(); object != handedOut.rend(); ++object)
            EXPECT_EQ(0u, (*object)->Release());
        handedOut.clear();
        rowsGiven.clear();
        CoUninitialize();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        const bool factory = id == IID_IUnknown || id == IID_IClassFactory;
        *object = factory ? static_cast<IClassFactory*>(this) : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID id, void** object) override {
        *object = nullptr;
        return FAILED(script.create) ? script.create : locator->QueryInterface(id, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    IWbemLocator* locator = nullptr;
    DWORD registration = 0;
    IWbemClassObject* controller = nullptr;
};

// Wine has one adapter: the first controller takes its ids, the next none. A
// controller in the "Error" state takes no adapter position and adds no record,
// but counts towards the bound: an enumerator that never ends must not keep the
// query reading.
TEST_F(VideoControllers, EachControllerTakesTheIdsOfTheAdapterAtItsPosition) {
    script.answers[{controller, L"Caption"}] = Text(L"Caption");
    script.rows = {controller, nullptr};
    std::vector<WMIData> controllers = GetVideoControllers();
    ASSERT_EQ(2u, controllers.size());
    EXPECT_EQ(WineController(controller, kWineIds), Describe(controllers[0]));
    EXPECT_EQ(WineController(rowsGiven.back(), "0|0"), Describe(controllers[1]));

    script.answers[{controller, L"Status"}] = Text(L"Error");
    script.rows = {controller, nullptr};
    controllers = GetVideoControllers();
    ASSERT_EQ(1u, controllers.size());
    EXPECT_EQ(WineController(rowsGiven.back(), kWineIds), Describe(controllers[0]));
    script.rows.assign(1023, controller);
    EXPECT_EQ(1u, GetVideoControllers().size());
    script.rows.assign(1024, controller);
    EXPECT_EQ("pEnumerator->Next answered more than 1024 rows",
              FailureText([] { GetVideoControllers(); }));
}

TEST_F(VideoControllers, AFailingStepFailsWithItsText) {
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { script.create = REGDB_E_CLASSNOTREG; }, "CoCreateInstance"},
        {[] { script.space = L"ROOT\\NOSUCH"; }, "pLoc->ConnectServer"},
        {[] { script.query = L"SELECT * FROM"; }, "pSvc->ExecQuery"},
        {[] { script.next = WBEM_E_FAILED; }, "pEnumerator->Next"},
    };
    for (const auto& c : cases) {
        script = Script();
        c.first();
        EXPECT_EQ(c.second, FailureText([] { GetVideoControllers(); }));
    }
}

// Numbers are read from VT_I4 only, texts from BSTR only, escaped unit by unit and
// NULs included; a value of another type is released all the same.
TEST_F(VideoControllers, PropertiesAreReadOnlyFromTheirOwnType) {
    script.answers = {
        {{controller, L"Odd"}, Text(L"ATI Radeon\u00ae \xd83d\xde00")},
        {{controller, L"Nul"}, Text(std::wstring(L"a\0b", 3))},
        {{controller, L"Unknown"}, Unknown(locator, WBEM_S_NO_ERROR)},
        {{controller, L"Failing"}, Unknown(locator, WBEM_E_FAILED)},
    };
    const std::pair<const wchar_t*, std::string> cases[] = {
        {L"AdapterRAM", "no text, " + WineValue(controller, L"AdapterRAM")},
        {L"Name", "\"" + WineValue(controller, L"Name") + "\", no number 0"},
        {L"Odd", "\"ATI Radeon\\x00ae \\xd83d\\xde00\", no number 0"},
        {L"Nul", "\"a\\x0000b\", no number 0"},
        {L"Unknown", "no text, no number 0"},
        {L"Failing", "no text, no number 0"},
        {L"Missing", "no text, no number 0"},
    };
    for (const auto& c : cases) {
        std::string text = "earlier";
        int number = 7;
        const bool isText = GetStringProperty(controller, c.first, text);
        const bool isNumber = GetUintProperty(controller, c.first, number);
        EXPECT_EQ(c.second, (isText ? "\"" + text + "\"" : "no text" + text) + ", " +
                                (isNumber ? "" : "no number ") + std::to_string(number));
    }
}

TEST(VideoControllersInAnotherApartmentModel, FailWithCoInitializeEx) {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ("CoInitializeEx", FailureText([] { GetVideoControllers(); }));
    CoUninitialize();
}

}  // namespace
