#include "gpu/win/windows/WbemProperty.h"

#include "gpu/win/VideoControllers.h"

namespace {

// One property's value as Get gave it, cleared when the object goes.
class PropertyValue {
public:
    PropertyValue(IWbemClassObject* object, const wchar_t* name) {
        VariantInit(&value);
        succeeded = SUCCEEDED(object->Get(name, 0, &value, nullptr, nullptr));
    }
    ~PropertyValue() { VariantClear(&value); }

    bool Has(VARTYPE type) const { return succeeded && V_VT(&value) == type; }
    const VARIANT& Value() const { return value; }

private:
    PropertyValue(const PropertyValue&) = delete;
    PropertyValue& operator=(const PropertyValue&) = delete;

    VARIANT value;
    bool succeeded;
};

}  // namespace

bool GetUintProperty(IWbemClassObject* object, const wchar_t* name, int& value) {
    const PropertyValue property(object, name);
    value = property.Has(VT_I4) ? V_I4(&property.Value()) : 0;
    return property.Has(VT_I4);
}

// A BSTR carries its length and may hold NULs; all of it is kept.
bool GetStringProperty(IWbemClassObject* object, const wchar_t* name, std::string& value) {
    const PropertyValue property(object, name);
    if (!property.Has(VT_BSTR)) {
        value.clear();
        return false;
    }
    const BSTR text = V_BSTR(&property.Value());
    value = EscapeWindowsText(text, SysStringLen(text));
    return true;
}

std::string EscapeWindowsText(const wchar_t* text, size_t length) {
    return EscapeWideText(std::u16string(text, text + length));
}
