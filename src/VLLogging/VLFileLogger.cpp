#include "VLLogging/VLFileLogger.h"

#include <set>

#include "VLLogging/LoggingState.h"
#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

const char* const kDefaultName = "vllog.txt";

// Paths a file logger was made for in this process.
std::set<fs::path>& StartedPaths() {
    static std::set<fs::path> paths;
    return paths;
}

}  // namespace

fs::path LogFolder() { return fs::path(Platform::ProfileFolder()); }

VLFileLogger::VLFileLogger(const char* name)
    : VLLogger(name != nullptr ? name : kDefaultName), file(nullptr) {
    try {
        path = LogFolder() / fs::path(name != nullptr ? name : kDefaultName);
        boost::unique_lock<boost::recursive_mutex> lock(LoggingLock());
        if (StartedPaths().insert(path).second) fs::remove(path);
    } catch (...) {
    }
}

VLFileLogger::~VLFileLogger() {
    Close();
    try {
        if (fs::exists(path) && fs::is_empty(path)) fs::remove(path);
    } catch (...) {
    }
}

void VLFileLogger::Flush() { Close(); }

void VLFileLogger::Write(const char* data, size_t length) {
    if (file == nullptr) file = Platform::OpenShared(path.string().c_str(), "a");
    if (file != nullptr) fwrite(data, 1, length, file);
}

void VLFileLogger::Close() {
    if (file != nullptr) fclose(file);
    file = nullptr;
}
