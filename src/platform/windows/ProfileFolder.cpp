#include <shlobj.h>

#include <filesystem>

#include "platform/Platform.h"

namespace {

// Narrow text in the active code page, in which the C runtime reads narrow paths.
std::string Narrow(const std::wstring& wide) {
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                     0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
}

}  // namespace

namespace Platform {

// The profile folder is the one that holds the user's desktop.
std::string ProfileFolder() {
    PWSTR desktop = nullptr;
    HRESULT found = SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &desktop);
    std::wstring path = SUCCEEDED(found) && desktop != nullptr ? desktop : L"";
    CoTaskMemFree(desktop);
    if (path.empty()) return std::string();
    return Narrow(std::filesystem::path(path).parent_path().wstring());
}

}  // namespace Platform
