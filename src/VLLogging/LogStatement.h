#pragma once

#include <sstream>

#include "VLLogging/LoggingState.h"
#include "VLLogging/VLLogger.h"

// The program's log channel; -verbose sets its level.
extern LogChannel GPUTrovexChannel;

// Writes one line to the current logger when the program's channel is on. The
// message is built only then, and is always an argument of "%s", so a percent
// sign in it is written as it is. Logging never fails its caller.
#define TROVEX_LOG(message)                                                                       \
    do {                                                                                          \
        if (ChannelLevel(GPUTrovexChannel) != 0) {                                                \
            try {                                                                                 \
                boost::unique_lock<boost::recursive_mutex> trovexLogLock(LoggingLock());          \
                VLLogger* trovexLogger = CurrentLogger();                                         \
                if (trovexLogger != nullptr && SafeIsEnabled(trovexLogger)) {                     \
                    std::ostringstream trovexLogText;                                             \
                    trovexLogText << message;                                                     \
                    SafeLog(trovexLogger, __FILE__, __LINE__, "%s", trovexLogText.str().c_str()); \
                }                                                                                 \
            } catch (...) {                                                                       \
            }                                                                                     \
        }                                                                                         \
    } while (false)
