# Test programs: GoogleTest built from Debian's sources for whatever target
# this build compiles for. On the Windows build every test program runs under
# Wine through tools/wine-run.sh (the cross-compiling emulator), in a private
# prefix inside the build folder, on a private virtual display, with a time
# limit. The fixture test "wine.start" prepares the prefix and the display once
# before the others; "wine.stop" ends them.

set(KORVEX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KORVEX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(NOT WIN32 AND KORVEX_SANITIZE)
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
  endforeach()
endif()

set(KORVEX_TEST_TIMEOUT 300 CACHE STRING "Seconds a test program may run")

if(WIN32)
  set(KORVEX_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(KORVEX_WINE_LOADER /usr/lib/wine/wine64)
    set(KORVEX_WINE_ARCH win64)
  else()
    set(KORVEX_WINE_LOADER /usr/lib/wine/wine)
    set(KORVEX_WINE_ARCH win32)
  endif()
  file(MAKE_DIRECTORY ${KORVEX_WINE_DIR})
  file(WRITE ${KORVEX_WINE_DIR}/config.sh
    "KORVEX_WINE_LOADER=${KORVEX_WINE_LOADER}\nKORVEX_WINE_ARCH=${KORVEX_WINE_ARCH}\n")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_SOURCE_DIR}/tools/wine-run.sh --wine-dir ${KORVEX_WINE_DIR}
      CACHE STRING "" FORCE)

  add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-env.sh start ${KORVEX_WINE_DIR})
  add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-env.sh stop ${KORVEX_WINE_DIR})
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120)
endif()

# korvex_add_test(<name> SOURCES ... [LIBS ...] [LOCALES hu en] [GUI]
#                 [TIMEOUT seconds] [RESOURCE_LOCK name...] [NO_GTEST_MAIN])
#
# GUI: the program shows windows and looks at the screen, the focus or the
# top-level windows: such programs run one at a time (they share the build's
# virtual display), while the others run in parallel.
# LOCALES: the locales the Windows test runs under (default: hu, the Hungarian
# locale with code page 1250 and the decimal comma; en is English with code
# page 1252 and the decimal point). Each locale gives one ctest test named
# <name>.<locale>. Natively the program runs once, under the C locale.
function(korvex_add_test name)
  cmake_parse_arguments(T "GUI;NO_GTEST_MAIN" "TIMEOUT" "SOURCES;LIBS;LOCALES;RESOURCE_LOCK;ARGS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  korvex_target_defaults(${name})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${KORVEX_TEST_TIMEOUT})
  endif()
  if(WIN32)
    if(NOT T_LOCALES)
      set(T_LOCALES hu)
    endif()
    foreach(loc ${T_LOCALES})
      if(loc STREQUAL "hu")
        set(lc hu_HU.UTF-8)
      elseif(loc STREQUAL "en")
        set(lc en_US.UTF-8)
      else()
        message(FATAL_ERROR "unknown test locale ${loc}")
      endif()
      add_test(NAME ${name}.${loc} COMMAND ${name} ${T_ARGS})
      set_tests_properties(${name}.${loc} PROPERTIES
        FIXTURES_REQUIRED wine
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "LC_ALL=${lc};KORVEX_WINE_TIMEOUT=${T_TIMEOUT}")
      set(locks ${T_RESOURCE_LOCK})
      if(T_GUI)
        list(APPEND locks korvex_screen)
      endif()
      if(locks)
        set_tests_properties(${name}.${loc} PROPERTIES RESOURCE_LOCK "${locks}")
      endif()
    endforeach()
  else()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_RESOURCE_LOCK)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
    endif()
  endif()
endfunction()
