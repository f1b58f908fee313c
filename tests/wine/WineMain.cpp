#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

// The Wine build of the process and command-line tests runs only where
// scripts/test-windows gives it a Wine prefix and a display, and the Windows
// program is built; elsewhere each case reports itself skipped, as CTest reads it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* missing = std::getenv("WINEPREFIX") == nullptr || std::getenv("DISPLAY") == nullptr
                              ? "WINEPREFIX and DISPLAY come from scripts/test-windows"
                          : !std::filesystem::exists(TROVEX_BINARY) ? TROVEX_BINARY " is not built"
                                                                    : nullptr;
    if (missing == nullptr || testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    std::cout << "[  SKIPPED ] " << missing << std::endl;
    return 0;
}
