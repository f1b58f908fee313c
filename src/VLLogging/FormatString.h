#pragma once

#include <cstdarg>
#include <string>

// printf-style formatting into a string. Short texts never touch the heap.
std::string FormatString(const char* format, va_list args);
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
