# The non-ASCII characters the medium's generated texts may use: the
# character (UTF-8), its byte in Windows code page 1250 and its Unicode code
# point. The PDF font encoding gives each the same byte, so one table serves
# both. A text with a character missing here fails the build.
set(KORVEX_HU_CHARS
  "á|225|00E1" "Á|193|00C1" "é|233|00E9" "É|201|00C9" "í|237|00ED" "Í|205|00CD"
  "ó|243|00F3" "Ó|211|00D3" "ö|246|00F6" "Ö|214|00D6" "ő|245|0151" "Ő|213|0150"
  "ú|250|00FA" "Ú|218|00DA" "ü|252|00FC" "Ü|220|00DC" "ű|251|0171" "Ű|219|0170"
  "–|150|2013" "„|132|201E" "”|148|201D")

function(_korvex_check_ascii text what)
  string(REGEX MATCH "[^\t\n\r -~]" bad "${text}")
  if(bad)
    message(FATAL_ERROR "${what}: a character outside the table in Hungarian.cmake")
  endif()
endfunction()

# UTF-8 text to code page 1250 bytes.
function(korvex_to_cp1250 text out)
  set(rest "${text}")
  foreach(entry IN LISTS KORVEX_HU_CHARS)
    string(REPLACE "|" ";" f "${entry}")
    list(GET f 0 ch)
    list(GET f 1 code)
    string(ASCII ${code} byte)
    string(REPLACE "${ch}" "${byte}" text "${text}")
    string(REPLACE "${ch}" "" rest "${rest}")
  endforeach()
  _korvex_check_ascii("${rest}" "code page 1250 text")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# UTF-8 text to the body of a PDF literal string over the medium's font
# encoding: ASCII as it is, the rest as octal escapes.
function(korvex_pdf_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "(" "\\(" text "${text}")
  string(REPLACE ")" "\\)" text "${text}")
  foreach(entry IN LISTS KORVEX_HU_CHARS)
    string(REPLACE "|" ";" f "${entry}")
    list(GET f 0 ch)
    list(GET f 1 code)
    math(EXPR o1 "${code} / 64")
    math(EXPR o2 "(${code} / 8) % 8")
    math(EXPR o3 "${code} % 8")
    string(REPLACE "${ch}" "\\${o1}${o2}${o3}" text "${text}")
  endforeach()
  _korvex_check_ascii("${text}" "PDF text")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# UTF-8 text to a PDF hex string in UTF-16BE with byte order mark, for the
# document information (which the font encoding does not cover).
function(korvex_pdf_unicode text out)
  string(ASCII 1 mark)
  foreach(entry IN LISTS KORVEX_HU_CHARS)
    string(REPLACE "|" ";" f "${entry}")
    list(GET f 0 ch)
    list(GET f 2 unicode)
    string(REPLACE "${ch}" "${mark}${unicode}" text "${text}")
  endforeach()
  set(hex "FEFF")
  string(LENGTH "${text}" n)
  set(i 0)
  while(i LESS n)
    string(SUBSTRING "${text}" ${i} 1 c)
    if(c STREQUAL mark)
      math(EXPR j "${i} + 1")
      string(SUBSTRING "${text}" ${j} 4 unicode)
      string(APPEND hex "${unicode}")
      math(EXPR i "${i} + 5")
    else()
      _korvex_check_ascii("${c}" "PDF document information")
      string(HEX "${c}" h)
      string(TOUPPER "${h}" h)
      string(APPEND hex "00${h}")
      math(EXPR i "${i} + 1")
    endif()
  endwhile()
  set(${out} "<${hex}>" PARENT_SCOPE)
endfunction()
