# korvex_libjpeg: the JPEG library the framework's JPEG code links.
#
# Windows builds: libjpeg-turbo built from Debian's source package by
# tools/libjpeg.sh into KORVEX_DEPS_DIR/libjpeg-turbo/<target>, once; a later
# build (of any build folder) finds it there and does not build it again. It
# is built when a program that needs it is built, so that programs without
# JPEG (Start.exe) never wait for it.
# The fuzz build: the same source built natively by clang with the fuzzers'
# instrumentation, kept the same way.
# Other native builds (tests under the sanitizers): Debian's
# libjpeg62-turbo-dev, the same library's API.

set(KORVEX_DEPS_DIR "${CMAKE_SOURCE_DIR}/build/deps" CACHE PATH
    "Where libraries built from Debian's source packages are kept between builds")

if(WIN32)
  set(target ${KORVEX_MINGW_TRIPLET})
elseif(KORVEX_FUZZ)
  set(target native-fuzz)
else()
  find_package(JPEG REQUIRED)
  add_library(korvex_libjpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(korvex_libjpeg INTERFACE JPEG::JPEG)
  return()
endif()

set(prefix ${KORVEX_DEPS_DIR}/libjpeg-turbo/${target})
# The include folder must exist when CMake generates the build.
file(MAKE_DIRECTORY ${prefix}/include)
add_custom_command(OUTPUT ${prefix}/lib/libjpeg.a
  COMMAND ${CMAKE_COMMAND} -E env KORVEX_DEPS_DIR=${KORVEX_DEPS_DIR}
          ${CMAKE_SOURCE_DIR}/tools/libjpeg.sh build ${target} ${prefix}
  COMMENT "libjpeg-turbo for ${target} (built once into ${prefix})" VERBATIM)
add_custom_target(korvex_libjpeg_build DEPENDS ${prefix}/lib/libjpeg.a)
add_library(korvex_libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(korvex_libjpeg PROPERTIES
  IMPORTED_LOCATION ${prefix}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
add_dependencies(korvex_libjpeg korvex_libjpeg_build)
