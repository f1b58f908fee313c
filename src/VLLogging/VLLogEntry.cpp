#include "VLLogging/VLLogEntry.h"

#include "VLLogging/LocalTime.h"
#include "VLLogging/LoggingState.h"
#include "VLLogging/VLLogger.h"

VLLogEntry::VLLogEntry(const char* file, int line, const std::ostringstream& stream)
    : start(0.0), file(file), line(line), text(stream.str()) {
    try {
        boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
        VLLogger* logger = CurrentLogger();
        if (logger != nullptr && SafeIsEnabled(logger))
            SafeLog(logger, file, line, "%s", ("BEGIN " + text).c_str());
    } catch (...) {
    }
    try {
        start = SecondsOfDay();
    } catch (...) {
    }
}

VLLogEntry::~VLLogEntry() {
    try {
        double duration = SecondsOfDay() - start;
        boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
        VLLogger* logger = CurrentLogger();
        if (logger != nullptr && SafeIsEnabled(logger)) {
            std::ostringstream message;
            message << "END " << text << ", duration=" << duration;
            SafeLog(logger, file, line, "%s", message.str().c_str());
        }
    } catch (...) {
    }
}
