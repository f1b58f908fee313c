#pragma once

#include <boost/thread/recursive_mutex.hpp>

class VLLogger;

// The one lock over all logging state. Recursive: a logger being registered
// logs through the logger before it while the lock is held.
boost::recursive_mutex& LoggingLock();

void InitLogging();

// The newest registered logger, or the null logger when none is registered;
// null before InitLogging.
VLLogger* CurrentLogger();

bool SafeIsEnabled(VLLogger* logger);
void SafeLog(VLLogger* logger, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// A named log channel, defined where it is used. index is 0 until registered.
struct LogChannel {
    const char* name;
    int defaultLevel;
    int index;
};

// The level slot of the channel, registering it on first use. A channel that
// cannot be registered shares the fallback slot.
int& ChannelLevel(LogChannel& channel);
int RegisterLogChannel(const char* name, int defaultLevel);

// For the logger base class, which links itself into the stack of loggers.
namespace LoggingState {
bool Initialized();
VLLogger*& Current();
}  // namespace LoggingState
