# Settings every target of the project's own code gets.
#
# Narrow string literals are compiled to Windows code page 1250, the code page
# of every text the system holds; sources stay UTF-8. Wide literals stay UTF-16.

function(korvex_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers>
    # GCC 12 reports false -Wrestrict overlaps inside std::string at -O2 and above.
    $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-Wno-restrict>
    # clang (the fuzz build) only knows UTF-8 as execution character set.
    $<$<AND:$<COMPILE_LANGUAGE:CXX,C>,$<CXX_COMPILER_ID:GNU>>:-finput-charset=UTF-8 -fexec-charset=CP1250>)
  if(KORVEX_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:-Werror>)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE
      WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
    # Unused functions and data are left out of the programs (Start.exe must
    # stay small enough for a floppy-sized budget).
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
  elseif(KORVEX_SANITIZE)
    # GCC 12 reports false maybe-uninitialized in std::variant and
    # std::optional when the sanitizers instrument them.
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
      $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# A Windows program with a window (no console).
function(korvex_gui_program target)
  korvex_target_defaults(${target})
  if(WIN32)
    target_link_options(${target} PRIVATE -mwindows)
    if(CMAKE_BUILD_TYPE STREQUAL "Release" OR CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
      target_link_options(${target} PRIVATE -s)
    endif()
  endif()
endfunction()

# Interface code that is not on any hot path: optimised for size.
function(korvex_optimize_for_size target)
  if(WIN32)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-Os>)
  endif()
endfunction()
