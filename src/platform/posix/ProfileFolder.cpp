#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/Platform.h"

namespace Platform {

// The home directory from the password database, not from the environment: the
// program reads no environment variable.
std::string ProfileFolder() {
    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr)
        return std::string();
    return found->pw_dir;
}

}  // namespace Platform
