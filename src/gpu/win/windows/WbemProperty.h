#pragma once

#include <wbemcli.h>

#include <cstddef>
#include <string>

// Readers of one property of a WMI object. Each asks IWbemClassObject::Get for
// the named property and always clears the value it got. They fail, leaving 0
// or an empty text, when Get fails or the value has another type; WMI gives an
// unset property as VT_NULL.

// A 32-bit integer property (VT_I4), as WMI gives its uint32 properties.
bool GetUintProperty(IWbemClassObject* object, const wchar_t* name, int& value);

// A text property (VT_BSTR), escaped with EscapeWideText.
bool GetStringProperty(IWbemClassObject* object, const wchar_t* name, std::string& value);

// EscapeWideText of a Windows wide text of the given length in code units.
std::string EscapeWindowsText(const wchar_t* text, size_t length);
