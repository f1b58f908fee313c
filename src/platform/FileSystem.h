#pragma once

// The file-system library: Boost where it is built for the platform, the
// standard library's otherwise. Code that needs paths uses the alias only.
#ifdef _WIN32
#include <filesystem>
namespace fs = std::filesystem;
#else
#include <boost/filesystem.hpp>
namespace fs = boost::filesystem;
#endif
