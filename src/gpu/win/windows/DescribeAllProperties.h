#pragma once

#include <wbemcli.h>

#include <string>

// The text properties of a Win32_VideoController object, one "name=value" line
// each, in the order of the class's documented properties. Numbers, arrays and
// unset properties are left out. For looking at what a machine's WMI knows
// about its adapters; probing does not use it.
std::string DescribeAllProperties(IWbemClassObject* object);
