# What `cmake --install` puts in place, in two parts that become the two Debian
# packages (cmake/Packages.cmake):
#   programs  the probe and the report tool in bin/, their manual pages;
#   dev       the reader as a static library with its headers, and a CMake
#             package through which a host's build finds it:
#             find_package(GPUTrovex CONFIG) and GPUTrovex::reader.
# Each has its copyright and changelog in share/doc/<package>/.
include(CMakePackageConfigHelpers)

install(TARGETS GPUTrovex trovex-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT programs)
install(TARGETS trovex_reader EXPORT GPUTrovexTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT dev)

# dataitem/DescriptionParser.h, every header it includes, directly or not, and the
# message sink through which a host routes the reader's failure lines, under
# include/GPUTrovex/ in the folders they include each other by.
set(reader_headers
  src/dataitem/DataItem.h
  src/dataitem/DescriptionParser.h
  src/dataitem/GPUImplStatic.h
  src/failure/FailRequirement.h
  src/gpu/GLTypes.h
  src/gpu/GPU.h
  src/gpu/GPUImpl.h
  src/gpu/GPUProperties.h
  src/gpu/GPUVectors.h
  quelt/quelt_ogl/OpenGLExtension.h
)
foreach(header ${reader_headers})
  string(REGEX REPLACE "^src/" "" installed ${header})
  get_filename_component(folder ${installed} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/GPUTrovex/${folder} COMPONENT dev)
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/GPUTrovex)
install(EXPORT GPUTrovexTargets NAMESPACE GPUTrovex:: DESTINATION ${package_dir} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/GPUTrovexConfig.cmake.in
  ${CMAKE_BINARY_DIR}/GPUTrovexConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/GPUTrovexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/GPUTrovexConfig.cmake
              ${CMAKE_BINARY_DIR}/GPUTrovexConfigVersion.cmake
        DESTINATION ${package_dir} COMPONENT dev)

# The changelog's newest entry is this version: a new version needs its entry.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^gputrovex \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog begins \"${newest}\", not version ${PROJECT_VERSION}")
endif()

# Manual pages and the changelog, compressed as Debian ships them: gzip -9, with
# no name or time stamp in the file.
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
set(compressed)
foreach(page GPUTrovex trovex-report)
  configure_file(${PROJECT_SOURCE_DIR}/doc/${page}.1.in ${doc_dir}/${page}.1 @ONLY)
  list(APPEND compressed ${doc_dir}/${page}.1)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${doc_dir}/changelog COPYONLY)
list(APPEND compressed ${doc_dir}/changelog)
list(TRANSFORM compressed APPEND .gz OUTPUT_VARIABLE gzipped)
foreach(file IN ZIP_LISTS compressed gzipped)
  add_custom_command(OUTPUT ${file_1} COMMAND gzip -9nkf ${file_0} DEPENDS ${file_0} VERBATIM)
endforeach()
add_custom_target(documentation ALL DEPENDS ${gzipped})
install(FILES ${doc_dir}/GPUTrovex.1.gz ${doc_dir}/trovex-report.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
foreach(package IN ITEMS "gputrovex;programs" "gputrovex-dev;dev")
  list(GET package 0 name)
  list(GET package 1 component)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${doc_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${name} COMPONENT ${component})
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Packages.cmake)
