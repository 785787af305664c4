# Writes one of the medium's generated text files.
#   cmake -DKIND=cp1250 -DIN=<UTF-8 text> -DOUT=<file> -P MakeFile.cmake
#       the text in code page 1250 with CR LF line ends (the licence text)
#   cmake -DKIND=placeholder -DOUT=<file> -P MakeFile.cmake
#       a short UTF-8 placeholder for a tutorial or video file
include(${CMAKE_CURRENT_LIST_DIR}/Hungarian.cmake)

if(KIND STREQUAL "cp1250")
  file(READ "${IN}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  korvex_to_cp1250("${text}" text)
  file(WRITE "${OUT}" "${text}")
elseif(KIND STREQUAL "placeholder")
  get_filename_component(name "${OUT}" NAME)
  file(WRITE "${OUT}"
    "Korvex bemutató – helykitöltő fájl: ${name}\r\n"
    "A bemutató adathordozón ez a fájl csak a helyét jelöli; tartalma nem lejátszható.\r\n")
else()
  message(FATAL_ERROR "MakeFile.cmake: KIND must be cp1250 or placeholder")
endif()
