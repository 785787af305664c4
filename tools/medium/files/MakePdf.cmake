# Writes one of the medium's PDF documents: a one-page title page in
# Hungarian, PDF 1.4, standard fonts with an encoding that adds the Hungarian
# double-acute letters, byte offsets in the cross-reference table computed as
# the file is put together.
#   cmake -DDOC=manual|tutorial -DOUT=<file> -P MakePdf.cmake
include(${CMAKE_CURRENT_LIST_DIR}/Hungarian.cmake)

if(DOC STREQUAL "manual")
  set(title "Korvex 7 – Kézikönyv")
  set(lines
    "F1|30|72|640|Korvex 7 – Kézikönyv"
    "F2|16|72|600|Szerkezetelemző program – felhasználói kézikönyv"
    "F2|12|72|560|A program műveleteinek és beállításainak leírása"
    "F2|10|72|120|Lavonsys – bemutató változat. A teljes kézikönyv a telepített programmal érkezik.")
elseif(DOC STREQUAL "tutorial")
  set(title "Lépésről lépésre")
  set(lines
    "F1|30|72|640|Lépésről lépésre"
    "F2|16|72|600|Korvex oktatóanyag: gerenda, keret, lemez, tartály, tárcsa"
    "F2|12|72|560|Első lépések: a modell felépítése, a műveletek és az eredmények"
    "F2|10|72|120|Lavonsys – bemutató változat.")
else()
  message(FATAL_ERROR "MakePdf.cmake: DOC must be manual or tutorial")
endif()

# Page content: a rule under the title, then the lines.
set(content "0.15 0.3 0.55 RG 1.5 w 72 625 m 523 625 l S\n0.1 0.1 0.1 rg\n")
foreach(line IN LISTS lines)
  string(REPLACE "|" ";" f "${line}")
  list(GET f 0 font)
  list(GET f 1 size)
  list(GET f 2 x)
  list(GET f 3 y)
  list(GET f 4 text)
  korvex_pdf_string("${text}" s)
  string(APPEND content "BT /${font} ${size} Tf ${x} ${y} Td (${s}) Tj ET\n")
endforeach()
string(LENGTH "${content}" content_length)
korvex_pdf_unicode("${title}" info_title)

# Codes 213, 219, 245, 251 are the code page 1250 bytes of Ő, Ű, ő, ű.
set(encoding "<< /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences [213 /Ohungarumlaut 219 /Uhungarumlaut 245 /ohungarumlaut 251 /uhungarumlaut] >>")
set(objects
  "<< /Type /Catalog /Pages 2 0 R /Lang (hu-HU) >>"
  "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"
  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 5 0 R /F2 6 0 R >> >> /Contents 4 0 R >>"
  "<< /Length ${content_length} >>\nstream\n${content}endstream"
  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding 7 0 R >>"
  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding 7 0 R >>"
  "${encoding}"
  "<< /Title ${info_title} /Author (Lavonsys) /Producer (Korvex 7 demo medium build) >>")

# A binary comment after the header marks the file as binary for transfers.
string(ASCII 226 227 207 211 binary)
set(pdf "%PDF-1.4\n%${binary}\n")
set(offsets "")
set(number 0)
foreach(object IN LISTS objects)
  math(EXPR number "${number} + 1")
  string(LENGTH "${pdf}" offset)
  list(APPEND offsets ${offset})
  string(APPEND pdf "${number} 0 obj\n${object}\nendobj\n")
endforeach()

string(LENGTH "${pdf}" xref_offset)
math(EXPR size "${number} + 1")
# Every entry is exactly 20 bytes: ten digits, blank, five digits, blank, type, blank, LF.
string(APPEND pdf "xref\n0 ${size}\n0000000000 65535 f \n")
foreach(offset IN LISTS offsets)
  string(LENGTH "${offset}" digits)
  math(EXPR pad "10 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  string(APPEND pdf "${zeros}${offset} 00000 n \n")
endforeach()
string(MD5 id "${pdf}")
string(APPEND pdf "trailer\n<< /Size ${size} /Root 1 0 R /Info ${number} 0 R /ID [<${id}> <${id}>] >>\nstartxref\n${xref_offset}\n%%EOF\n")
file(WRITE "${OUT}" "${pdf}")
