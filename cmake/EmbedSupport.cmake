# Shared by the scripts that compile data files into the programs
# (app/EmbedWeb.cmake, host/texts/EmbedTexts.cmake,
# resources/EmbedTemplates.cmake).

# sysdlg_byte_array(FILE NAME DEFINITION SIZE): in DEFINITION the C++
# definition "const unsigned char NAME[] = {...0};" of the file's bytes, 32 a
# line and a NUL after them; in SIZE their number, without the NUL.
function(sysdlg_byte_array file name definition size)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR count "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
  set(${definition} "const unsigned char ${name}[] = {\n${bytes}0};\n" PARENT_SCOPE)
  set(${size} ${count} PARENT_SCOPE)
endfunction()
