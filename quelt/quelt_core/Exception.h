#pragma once

#include <boost/shared_ptr.hpp>
#include <exception>
#include <string>

namespace Quelt {

// Root of every exception the library throws. message() is null when the
// library had nothing to say; what() never is.
class ExceptionBase : public std::exception {
public:
    explicit ExceptionBase(const char* message);
    ~ExceptionBase() override;

    const char* message() const;
    const char* what() const noexcept override;

protected:
    void setDescription(const std::string& description);

private:
    boost::shared_ptr<const std::string> text;
    boost::shared_ptr<const std::string> description;
};

// A failure the caller can understand and act on: a missing driver, a shader
// that does not compile, a device that cannot be used.
class LogicalException : public ExceptionBase {
public:
    explicit LogicalException(const char* message);
};

// A broken promise inside the library or in the way it was called.
class InternalException : public ExceptionBase {
public:
    InternalException(const char* file, int line, const char* message);

    const char* file() const;
    int line() const;

private:
    const char* sourceFile;
    int sourceLine;
};

}  // namespace Quelt
