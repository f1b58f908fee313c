# cmake -DPACKAGES=... -DUNPACKED=... -DCXX=... -DTARGET=... -DSYSROOT=... -DREADELF=...
#       -DOBJDUMP=... -P PackagedPrograms.cmake
# Unpacks every .deb and .tar.gz that scripts/package made, the .debs into one
# tree as dpkg would install them, and checks every program they hold, and a
# program that links each static library they hold whole against the root it
# was built against (a library has no symbol versions of its own): none may
# need a C library symbol newer than 2.17, nor a shared library beyond the C
# library's own.
cmake_minimum_required(VERSION 3.20)
file(GLOB debs ${PACKAGES}/*.deb)
file(GLOB tarballs ${PACKAGES}/*.tar.gz)
if(NOT debs OR NOT tarballs)
  message(FATAL_ERROR "no .deb or no .tar.gz in ${PACKAGES}: run scripts/package first")
endif()
file(REMOVE_RECURSE ${UNPACKED})
file(MAKE_DIRECTORY ${UNPACKED}/deb)
foreach(deb IN LISTS debs)
  execute_process(COMMAND dpkg-deb -x ${deb} ${UNPACKED}/deb COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(tarball IN LISTS tarballs)
  get_filename_component(name ${tarball} NAME)
  file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${UNPACKED}/${name})
endforeach()

file(GLOB_RECURSE files LIST_DIRECTORIES false ${UNPACKED}/*)
set(programs)
set(archives 0)
foreach(file IN LISTS files)
  if(IS_SYMLINK ${file})
    continue()
  endif()
  file(READ ${file} magic LIMIT 8 HEX)
  if(magic MATCHES "^7f454c46")
    list(APPEND programs ${file})
  elseif(magic STREQUAL "213c617263683e0a")  # "!<arch>\n"
    string(MAKE_C_IDENTIFIER ${file} id)
    set(linked ${UNPACKED}/linked/${id})
    file(WRITE ${UNPACKED}/linked/main.cpp "int main() { return 0; }\n")
    execute_process(
      COMMAND ${CXX} --target=${TARGET} --sysroot=${SYSROOT} ${UNPACKED}/linked/main.cpp
              -Wl,--whole-archive ${file} -Wl,--no-whole-archive
              -static-libstdc++ -static-libgcc -pthread -o ${linked}
      RESULT_VARIABLE status ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${file} does not link whole against ${SYSROOT}:\n${err}")
    endif()
    list(APPEND programs ${linked})
    math(EXPR archives "${archives} + 1")
  endif()
endforeach()
# The driver matrix runs the .deb's programs.
foreach(program GPUTrovex trovex-report)
  if(NOT ${UNPACKED}/deb/usr/bin/${program} IN_LIST programs)
    message(FATAL_ERROR "the .deb has no program usr/bin/${program}")
  endif()
endforeach()
if(archives EQUAL 0)
  message(FATAL_ERROR "the packages hold no static library")
endif()

set(allowed "^(libc|libm|libdl|libpthread|librt)\\.so\\.[0-9]+$|^ld-linux-x86-64\\.so\\.2$")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CMAKE_COMMAND} -DREADELF=${READELF} -DOBJDUMP=${OBJDUMP}
                          -DPROGRAM=${program} -DALLOWED=${allowed} -DNEWEST_GLIBC=2.17
                          -P ${CMAKE_CURRENT_LIST_DIR}/../process/NeededLibraries.cmake
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  message("${program}:\n${out}")
  if(NOT status EQUAL 0)
    list(APPEND failed ${program})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "these would not start on every C library from 2.17 on: ${failed}")
endif()
