# The build that ships: this machine's clang against a Debian 11 root
# (scripts/debian-root bullseye) as the sysroot, so that the programs need no C
# library newer than that root's oldest symbol versions, and link its libstdc++
# and libgcc. TROVEX_SYSROOT names the root; scripts/package passes it.
if(NOT TROVEX_SYSROOT)
  message(FATAL_ERROR "TROVEX_SYSROOT must name the Debian 11 root: scripts/package sets it")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TROVEX_SYSROOT)

set(CMAKE_SYSROOT ${TROVEX_SYSROOT})
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-linux-gnu)
set(CMAKE_CXX_COMPILER_TARGET x86_64-linux-gnu)
# The root's GCC by its own path, not through its /lib link: dependency files
# then name headers that exist, and nothing rebuilds without a change.
set(CMAKE_C_COMPILER_EXTERNAL_TOOLCHAIN ${TROVEX_SYSROOT}/usr)
set(CMAKE_CXX_COMPILER_EXTERNAL_TOOLCHAIN ${TROVEX_SYSROOT}/usr)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
