#include "TempFolder.h"

#include <boost/filesystem.hpp>
#include <cstdlib>
#include <stdexcept>
#include <vector>

TempFolder::TempFolder() {
    std::string pattern = (boost::filesystem::temp_directory_path() / "trovex-XXXXXX").string();
    std::vector<char> text(pattern.begin(), pattern.end());
    text.push_back('\0');
    if (mkdtemp(text.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = text.data();
}

TempFolder::~TempFolder() {
    boost::system::error_code ignored;
    boost::filesystem::remove_all(path, ignored);
}
