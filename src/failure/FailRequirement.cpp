#include "failure/FailRequirement.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace {

FailureHandler failureHandler = nullptr;
MessageSink messageSink = nullptr;

void DefaultMessageSink(const char* text) {
    try {
        std::cerr << NullToText(text) << std::endl;
    } catch (...) {
    }
}

void DefaultFailureHandler(const char* file, int line, const char* message, bool doThrow) {
    std::ostringstream text;
    if (file != nullptr) text << file << "(" << line << "): ";
    text << NullToText(message);
    GetMessageSink()(text.str().c_str());
    if (doThrow) throw std::runtime_error(text.str());
}

}  // namespace

void FailRequirement(const char* message) {
    GetFailureHandler()(nullptr, 0, message, true);
    // A replaced handler that returns must not let the caller go on as if nothing failed.
    throw std::runtime_error(NullToText(message));
}

FailureHandler GetFailureHandler() {
    return failureHandler != nullptr ? failureHandler : DefaultFailureHandler;
}

FailureHandler SetFailureHandler(FailureHandler handler) {
    FailureHandler previous = GetFailureHandler();
    failureHandler = handler;
    return previous;
}

MessageSink GetMessageSink() { return messageSink != nullptr ? messageSink : DefaultMessageSink; }

MessageSink SetMessageSink(MessageSink sink) {
    MessageSink previous = GetMessageSink();
    messageSink = sink;
    return previous;
}

const char* NullToText(const char* text) { return text != nullptr ? text : "<NULL>"; }
