#include "quelt/quelt_core/Exception.h"

#include <boost/make_shared.hpp>

namespace Quelt {

namespace {

boost::shared_ptr<const std::string> shareText(const char* text) {
    if (text == nullptr) return nullptr;
    return boost::make_shared<const std::string>(text);
}

}  // namespace

ExceptionBase::ExceptionBase(const char* message) : text(shareText(message)) {}

ExceptionBase::~ExceptionBase() = default;

const char* ExceptionBase::message() const { return text ? text->c_str() : nullptr; }

const char* ExceptionBase::what() const noexcept {
    if (description) return description->c_str();
    if (text) return text->c_str();
    return "Quelt exception without a message";
}

void ExceptionBase::setDescription(const std::string& value) {
    description = boost::make_shared<const std::string>(value);
}

LogicalException::LogicalException(const char* message) : ExceptionBase(message) {}

InternalException::InternalException(const char* file, int line, const char* message)
    : ExceptionBase(message), sourceFile(file), sourceLine(line) {
    setDescription(std::string(file != nullptr ? file : "<unknown file>") + "(" +
                   std::to_string(line) + "): " + (message != nullptr ? message : ""));
}

const char* InternalException::file() const { return sourceFile; }

int InternalException::line() const { return sourceLine; }

}  // namespace Quelt
