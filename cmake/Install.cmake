# What `cmake --install` puts in place, and the packages CPack makes of it: the
# probe and the report tool in bin/, the reader as a static library with the
# headers its public header needs, and a CMake package through which a host's
# build finds it: find_package(GPUTrovex CONFIG) and GPUTrovex::reader.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS GPUTrovex trovex-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS trovex_reader EXPORT GPUTrovexTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# dataitem/DescriptionParser.h and every header it includes, directly or not, in
# the folders the includes name them by.
set(reader_headers
  src/dataitem/DataItem.h
  src/dataitem/DescriptionParser.h
  src/dataitem/GPUImplStatic.h
  src/gpu/GPU.h
  src/gpu/GPUImpl.h
  src/gpu/GPUProperties.h
  src/gpu/GPUVectors.h
  quelt/quelt_ogl/OpenGL.h
  quelt/quelt_ogl/OpenGLExtension.h
)
foreach(header ${reader_headers})
  string(REGEX REPLACE "^src/" "" installed ${header})
  get_filename_component(folder ${installed} DIRECTORY)
  install(FILES ${header} DESTINATION include/GPUTrovex/${folder})
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/GPUTrovex)
install(EXPORT GPUTrovexTargets NAMESPACE GPUTrovex:: DESTINATION ${package_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/GPUTrovexConfig.cmake.in
  ${CMAKE_BINARY_DIR}/GPUTrovexConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/GPUTrovexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/GPUTrovexConfig.cmake
              ${CMAKE_BINARY_DIR}/GPUTrovexConfigVersion.cmake
        DESTINATION ${package_dir})

# `cpack` in the build folder (or the package target) makes both packages.
set(CPACK_PACKAGE_NAME gputrovex)
set(CPACK_PACKAGE_VENDOR GPUTrovex)
set(CPACK_PACKAGE_CONTACT "GPUTrovex developers <dev@gputrovex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphics and compute hardware probe, and the reader of its reports")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "GPUTrovex is started by a host application to learn what the machine's OpenGL"
  "and OpenCL devices can do, and prints a key=value report. trovex-report reads"
  "such reports back and prints the GPU records the host would get from them."
  "The report reader comes as a static library with its headers and a CMake"
  "package, for the host's own build.")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The programs need only the C library. Mesa's EGL, an OpenCL loader and libpci
# with its ID database are opened at run time and make the report's answers real;
# the reader's headers use Boost's and OpenGL's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libegl1, ocl-icd-libopencl1, libpci3, pci.ids")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libboost-dev, libgl-dev")
include(CPack)
