#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

// The Wine build of the process and command-line tests runs only where
// scripts/test-windows has built the Windows program and gives Wine a prefix and
// a display; elsewhere each case reports itself skipped, as CTest reads it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const bool wine = std::getenv("WINEPREFIX") != nullptr && std::getenv("DISPLAY") != nullptr;
    if (wine || testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    std::cout << "[  SKIPPED ] WINEPREFIX and DISPLAY come from scripts/test-windows" << std::endl;
    return 0;
}
