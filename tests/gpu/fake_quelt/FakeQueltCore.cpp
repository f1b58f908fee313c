#include "quelt/quelt_core/Exception.h"

namespace Quelt {

ExceptionBase::ExceptionBase(const char* message)
    : text(message != nullptr ? new std::string(message) : nullptr) {}

ExceptionBase::~ExceptionBase() {}

const char* ExceptionBase::message() const { return text ? text->c_str() : nullptr; }

const char* ExceptionBase::what() const noexcept {
    if (description) return description->c_str();
    return text ? text->c_str() : "";
}

void ExceptionBase::setDescription(const std::string& newDescription) {
    description.reset(new std::string(newDescription));
}

LogicalException::LogicalException(const char* message) : ExceptionBase(message) {}

InternalException::InternalException(const char* file, int line, const char* message)
    : ExceptionBase(message), sourceFile(file), sourceLine(line) {}

const char* InternalException::file() const { return sourceFile; }

int InternalException::line() const { return sourceLine; }

}  // namespace Quelt
