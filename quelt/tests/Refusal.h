#pragma once

#include <functional>
#include <string>

#include "quelt/quelt_core/Exception.h"

// The message of the LogicalException action throws; a text saying so when
// it throws none.
inline std::string Refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const Quelt::LogicalException& error) {
        return error.message() != nullptr ? error.message() : "";
    }
    return "(nothing refused)";
}
