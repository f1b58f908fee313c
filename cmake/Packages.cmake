# The packages `cpack --config <build>/CPackConfig.cmake` makes of an install of
# any build folder: the Debian packages gputrovex (the programs) and
# gputrovex-dev (the reader for a host's build), and one .tar.gz with both.
# Builds in different folders give the same bytes: the compiler maps the
# folders away (CMakeLists.txt), and CPackProject.cmake dates every file in the
# packages by the last commit.
set(CPACK_PACKAGE_NAME gputrovex)
set(CPACK_PACKAGE_VENDOR "The GPUTrovex authors")
set(CPACK_PACKAGE_CONTACT "GPUTrovex developers <dev@gputrovex.invalid>")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL programs dev)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)
set(CPACK_TROVEX_SOURCE_DIR ${PROJECT_SOURCE_DIR})

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE gputrovex)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME gputrovex)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION utils)
# The programs need only the C library (dpkg-shlibdeps finds it). Mesa's EGL,
# an OpenCL loader and libpci with its ID database are opened at run time and
# make the report's answers real.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "libegl1, ocl-icd-libopencl1, libpci3, pci.ids")
string(JOIN "\n" CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "probe of graphics and compute hardware, and its report reader"
  "GPUTrovex is started by a host application to learn what the machine's"
  "OpenGL and OpenCL devices can do, and prints a key=value report."
  "trovex-report reads such reports back, says whether each is whole, cut"
  "short or no report at all, and prints the GPU records a host gets from it.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME gputrovex-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# A host compiling against the reader needs Boost's headers (shared pointers).
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libboost-dev (>= 1.74)")
string(JOIN "\n" CPACK_DEBIAN_DEV_DESCRIPTION
  "reader of GPUTrovex reports, for a host's own build"
  "The static library and headers with which a program reads a GPUTrovex"
  "report back into GPU records, and the CMake package through which its"
  "build finds them: find_package(GPUTrovex CONFIG) and GPUTrovex::reader.")

include(CPack)
