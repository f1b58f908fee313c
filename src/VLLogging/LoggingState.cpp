#include "VLLogging/LoggingState.h"

#include <cstdarg>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VLLogging/VLNullLogger.h"

namespace {

const size_t kChannelTableSize = 101;

struct State {
    bool initialised = false;
    VLLogger* current = nullptr;
    std::map<std::string, int> channelIndex;
    std::vector<int> channelLevels;
    int fallbackLevel = 0;
    bool nullLoggerCreated = false;
};

State& TheState() {
    static State state;
    return state;
}

}  // namespace

boost::recursive_mutex& LoggingLock() {
    static boost::recursive_mutex lock;
    return lock;
}

namespace LoggingState {

bool Initialized() { return TheState().initialised; }
VLLogger*& Current() { return TheState().current; }

}  // namespace LoggingState

void InitLogging() {
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    State& state = TheState();
    if (state.initialised) return;
    state.initialised = true;
    state.channelIndex.clear();
    state.channelLevels.assign(kChannelTableSize, 0);
}

VLLogger* CurrentLogger() {
    State& state = TheState();
    if (!state.initialised) return nullptr;
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    if (state.current == nullptr && !state.nullLoggerCreated) {
        state.nullLoggerCreated = true;
        // Registration makes it current; it lives until process exit.
        static std::unique_ptr<VLNullLogger> nullLogger(new VLNullLogger());
    }
    return state.current;
}

bool SafeIsEnabled(VLLogger* logger) {
    try {
        return logger->IsEnabled();
    } catch (...) {
        return false;
    }
}

void SafeLog(VLLogger* logger, const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    try {
        logger->LogV(file, line, format, args);
    } catch (...) {
    }
    va_end(args);
}

int RegisterLogChannel(const char* name, int defaultLevel) {
    boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
    State& state = TheState();
    std::map<std::string, int>::const_iterator found = state.channelIndex.find(name);
    if (found != state.channelIndex.end()) return found->second;
    size_t candidate = state.channelIndex.size() + 1;
    if (candidate >= state.channelLevels.size()) return 0;
    state.channelIndex[name] = static_cast<int>(candidate);
    state.channelLevels[candidate] = defaultLevel;
    return static_cast<int>(candidate);
}

int& ChannelLevel(LogChannel& channel) {
    State& state = TheState();
    if (channel.index != 0) return state.channelLevels[channel.index];
    try {
        int index = RegisterLogChannel(channel.name, channel.defaultLevel);
        if (index != 0) {
            channel.index = index;
            return state.channelLevels[index];
        }
    } catch (...) {
    }
    return state.fallbackLevel;
}
