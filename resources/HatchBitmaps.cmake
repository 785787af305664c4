# Writes the resource script of the twelve hatch-pattern bitmaps from the
# patterns' rule (the table of controls/HatchRule.h, again here so that the
# build needs nothing but CMake; the tests hold the loaded bitmaps against the
# C++ rule):
#
#   cmake -DOUT=<file.rc> [-DTOP_DOWN=ON] [-DONLY=<n>] -P HatchBitmaps.cmake
#
# Each bitmap is a resource of type 2 (RT_BITMAP) whose data is given inline:
# a BITMAPINFOHEADER (32 x 32, one bit a pixel), a colour table of black
# (index 0, the line pixels) and white, and 32 rows of 4 bytes, bottom row
# first unless TOP_DOWN (negative height). ONLY=n writes the first n
# patterns only (test resources).

cmake_minimum_required(VERSION 3.25)

#      name               period  (x+y) mod P  (x-y) mod P   ("-" : none)
set(patterns
  "BDIAG             8  1-1   -"
  "FDIAG             8  -     6-6"
  "DIAGCROSS         8  6-6   2-2"
  "BDIAG_200DPI     16  1-3   -"
  "FDIAG_200DPI     16  -     12-14"
  "DIAGCROSS_200DPI 16  5-7   8-10"
  "BDIAG_400DPI     32  17-21 -"
  "FDIAG_400DPI     32  -     10-14"
  "DIAGCROSS_400DPI 32  5-9   22-26"
  "BDIAG_600DPI     32  17-23 -"
  "FDIAG_600DPI     32  -     8-14"
  "DIAGCROSS_600DPI 32  5-11  20-26")

if(NOT DEFINED ONLY)
  set(ONLY 12)
endif()

# Sets bit x (0 = leftmost, the most significant bit of the row's first byte)
# of row_bits for x = first, first + period, ... below 32.
macro(hatch_mark first period)
  set(x ${first})
  while(x LESS 32)
    math(EXPR byte "${x} / 8")
    math(EXPR row_bits "${row_bits} | (1 << (${byte} * 8 + 7 - ${x} % 8))")
    math(EXPR x "${x} + ${period}")
  endwhile()
endmacro()

set(rc "// Written by resources/HatchBitmaps.cmake.\n")
set(index 0)
foreach(line IN LISTS patterns)
  if(index EQUAL ONLY)
    break()
  endif()
  string(REGEX REPLACE " +" ";" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 period)
  list(GET fields 2 sum)
  list(GET fields 3 diff)
  if(TOP_DOWN)
    set(height "0xFFE0, 0xFFFF")
  else()
    set(height "0x0020, 0x0000")
  endif()
  set(words "0x0028, 0x0000, 0x0020, 0x0000, ${height}, 0x0001, 0x0001, 0x0000, 0x0000,\n")
  string(APPEND words "  0x0080, 0x0000, 0x0B13, 0x0000, 0x0B13, 0x0000, 0x0002, 0x0000, 0x0002, 0x0000,\n")
  string(APPEND words "  0x0000, 0x0000, 0xFFFF, 0x00FF")
  foreach(stored RANGE 31)
    if(TOP_DOWN)
      set(y ${stored})
    else()
      math(EXPR y "31 - ${stored}")
    endif()
    # Bits of the row's 4 bytes, byte 0 in the low 8 bits.
    set(row_bits 0)
    foreach(rule sum diff)
      if(NOT ${rule} STREQUAL "-")
        string(REPLACE "-" ";" range "${${rule}}")
        list(GET range 0 low)
        list(GET range 1 high)
        foreach(k RANGE ${low} ${high})
          # (x + y) mod P = k  <=>  x = (k - y) mod P;  (x - y) mod P = k  <=>  x = (k + y) mod P
          if(rule STREQUAL "sum")
            math(EXPR first "((${k} - ${y}) % ${period} + ${period}) % ${period}")
          else()
            math(EXPR first "(${k} + ${y}) % ${period}")
          endif()
          hatch_mark(${first} ${period})
        endforeach()
      endif()
    endforeach()
    # Black lines on white: a line pixel is colour index 0, a cleared bit.
    math(EXPR low_word "(~${row_bits}) & 0xFFFF" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR high_word "((~${row_bits}) >> 16) & 0xFFFF" OUTPUT_FORMAT HEXADECIMAL)
    string(APPEND words ",\n  ${low_word}, ${high_word}")
  endforeach()
  string(APPEND rc "${name} 2\nBEGIN\n  ${words}\nEND\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUT}.new" "${rc}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
