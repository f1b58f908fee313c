#include "FakeWbemObject.h"

void FakeWbemObject::Script(const std::wstring& name, const Answer& answer) {
    answers[name] = answer;
}

HRESULT FakeWbemObject::QueryInterface(REFIID, void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeWbemObject::AddRef() { return 1; }

ULONG FakeWbemObject::Release() { return 1; }

HRESULT FakeWbemObject::Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE*, LONG*) {
    const auto answer = answers.find(name);
    return answer != answers.end() ? answer->second(value) : static_cast<HRESULT>(WBEM_E_NOT_FOUND);
}

HRESULT ReleaseCounter::QueryInterface(REFIID, void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ReleaseCounter::AddRef() { return 1; }

ULONG ReleaseCounter::Release() {
    ++releases;
    return 1;
}

FakeWbemObject::Answer NumberValue(int number) {
    return [number](VARIANT* value) {
        V_VT(value) = VT_I4;
        V_I4(value) = number;
        return WBEM_S_NO_ERROR;
    };
}

FakeWbemObject::Answer TextValue(const std::wstring& units) {
    return [units](VARIANT* value) {
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
        return WBEM_S_NO_ERROR;
    };
}

FakeWbemObject::Answer NullValue() {
    return [](VARIANT* value) {
        V_VT(value) = VT_NULL;
        return WBEM_S_NO_ERROR;
    };
}

FakeWbemObject::Answer UnknownValue(ReleaseCounter& counter) {
    return [&counter](VARIANT* value) {
        V_VT(value) = VT_UNKNOWN;
        V_UNKNOWN(value) = &counter;
        return WBEM_S_NO_ERROR;
    };
}

FakeWbemObject::Answer Failing(HRESULT result, const FakeWbemObject::Answer& answer) {
    return [result, answer](VARIANT* value) {
        answer(value);
        return result;
    };
}
