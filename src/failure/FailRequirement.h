#pragma once

// Fixed failure texts are raised through one routine: the text goes to standard
// error at once, then travels on as a std::runtime_error carrying the same text.

typedef void (*FailureHandler)(const char* file, int line, const char* message, bool doThrow);
typedef void (*MessageSink)(const char* text);

[[noreturn]] void FailRequirement(const char* message);

FailureHandler GetFailureHandler();
FailureHandler SetFailureHandler(FailureHandler handler);

MessageSink GetMessageSink();
MessageSink SetMessageSink(MessageSink sink);

const char* NullToText(const char* text);
