#include "ExceptionLine.h"

#include <exception>
#include <iostream>

#include "failure/FailRequirement.h"
#include "quelt/quelt_core/Exception.h"

std::string DescribeCurrentException() {
    try {
        throw;
    } catch (const Quelt::LogicalException& e) {
        return std::string("Quelt::LogicalException: ") + NullToText(e.message());
    } catch (const std::exception& e) {
        return std::string("exception: ") + e.what();
    } catch (...) {
        return "unknown exception";
    }
}

void WriteErrorLine(const std::string& line) {
    try {
        std::cerr << line << std::endl;
    } catch (...) {
    }
}
