# What both mingw-w64 toolchains share; TROVEX_MINGW_TRIPLE names the target.

# The -posix compilers carry std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TROVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TROVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TROVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TROVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime is linked in, so the programs need no DLL besides Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the test programs under the Wine that scripts/test-windows sets up.
# Debian's 64-bit Wine has no wine command of its own; its loader, wine64, runs
# both programs where Wine has its new WoW64 mode.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/in-wine wine64)
