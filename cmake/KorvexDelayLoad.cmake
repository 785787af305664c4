# Delay-loaded system libraries (Windows builds): user32, gdi32, comctl32 and
# msimg32 are loaded at the first call of one of their functions, not before
# the program's first instruction.
#
# Why: the DLLs a program imports are loaded, with their own imports, before
# its entry runs, and Windows looks for a DLL outside its known set in the
# program's folder first. comctl32 and msimg32 are not known DLLs; user32 and
# gdi32 are, but some of what they import on some systems is not (version.dll
# under Wine; comctl32 imports uxtheme.dll). So a DLL planted beside the
# program would be loaded. Delayed, they load after the program has restricted
# the search to the system folder (launcher/LauncherPlatform.h,
# RestrictDllSearch), and always from the system folder.
#
# korvex_delay_import_library(<target> <library>) makes <target> from the
# toolchain's import library lib<library>.a (its function symbols):
#  - x86_64: dlltool's delay-import library with the toolchain's helper;
#  - i686: dlltool's delay-import libraries come out broken from this linker
#    (the import slots stay zero), so a generated assembly file provides, per
#    function, its import slot in .data (first pointing at a binding stub),
#    the stub and the function's name, each in sections of its own so that the
#    linker keeps only those of the functions used; the stubs bind through
#    KorvexDelayBind (framework/DelayLoadBind.cpp).

function(korvex_delay_import_library target library)
  find_library(KORVEX_IMPORT_LIBRARY_${library} NAMES lib${library}.a REQUIRED)
  set(import_library ${KORVEX_IMPORT_LIBRARY_${library}})
  set(folder ${CMAKE_BINARY_DIR}/delay-import)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${CMAKE_NM} -g ${import_library} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " T [^\n]+" functions "${symbols}")
  list(REMOVE_DUPLICATES functions)
  string(TOUPPER ${library} dll)

  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(def ${folder}/${library}.def)
    set(output ${folder}/lib${library}_delay.a)
    set(text "LIBRARY ${dll}.dll\nEXPORTS\n")
    foreach(f IN LISTS functions)
      string(SUBSTRING "${f}" 3 -1 name)
      string(APPEND text "${name}\n")
    endforeach()
    file(WRITE ${def} "${text}")
    execute_process(COMMAND ${CMAKE_DLLTOOL} -d ${def} -y ${output} COMMAND_ERROR_IS_FATAL ANY)
    add_library(${target} STATIC IMPORTED GLOBAL)
    # __delayLoadHelper2 comes from the toolchain's delayimp library.
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${output} INTERFACE_LINK_LIBRARIES delayimp)
    return()
  endif()

  if(NOT TARGET korvex_delay_bind)
    add_library(korvex_delay_bind STATIC ${CMAKE_SOURCE_DIR}/framework/DelayLoadBind.cpp)
    korvex_target_defaults(korvex_delay_bind)
  endif()
  set(asm ${folder}/${library}_delay.s)
  set(module kd_module_${library})
  # The module record: its handle (0 until loaded), then its file name.
  set(text "  .section .data$${module},\"w\"\n  .p2align 2\n${module}:\n  .long 0\n")
  string(REGEX REPLACE "(.)" "\\1\\\\000" wide "${library}.dll")
  string(APPEND text "  .ascii \"${wide}\\000\\000\"\n")
  # The common binding step: the entry's record in eax; the registers that may
  # carry arguments are kept; the bound function is then jumped to with the
  # caller's stack as it was.
  string(APPEND text "  .section .text$${module},\"xr\"\nkd_tail_${library}:\n"
         "  pushl %ecx\n  pushl %edx\n  pushl %eax\n  pushl $${module}\n  call _KorvexDelayBind@8\n"
         "  popl %edx\n  popl %ecx\n  jmp *%eax\n")
  set(n 0)
  foreach(f IN LISTS functions)
    string(SUBSTRING "${f}" 3 -1 symbol)      # _Name@8 or _Name
    string(REGEX REPLACE "^_" "" name "${symbol}")
    string(REGEX REPLACE "@[0-9]+$" "" name "${name}")
    set(id ${library}_${n})
    string(APPEND text
      "  .section .text$kd_${id},\"xr\"\n  .globl \"${symbol}\"\n\"${symbol}\":\n  jmp *\"__imp_${symbol}\"\n"
      "kd_stub_${id}:\n  movl $kd_entry_${id}, %eax\n  jmp kd_tail_${library}\n"
      "  .section .data$kd_${id},\"w\"\n  .p2align 2\n  .globl \"__imp_${symbol}\"\n\"__imp_${symbol}\":\n  .long kd_stub_${id}\n"
      "  .section .rdata$kd_${id},\"dr\"\n  .p2align 2\nkd_entry_${id}:\n  .long __imp_${symbol}\n  .long kd_name_${id}\n"
      "kd_name_${id}:\n  .asciz \"${name}\"\n")
    math(EXPR n "${n} + 1")
  endforeach()
  file(WRITE ${asm}.tmp "${text}")
  file(COPY_FILE ${asm}.tmp ${asm} ONLY_IF_DIFFERENT)
  add_library(${target} STATIC ${asm})
  set_source_files_properties(${asm} PROPERTIES LANGUAGE ASM)
  target_link_libraries(${target} PUBLIC korvex_delay_bind)
endfunction()
