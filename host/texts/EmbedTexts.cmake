# Writes a C++ source holding every text table of TEXT_DIR (<language>.txt)
# as a string, with a table of languages (see host/TextTables.h).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/EmbedSupport.cmake)
file(GLOB files RELATIVE ${TEXT_DIR} ${TEXT_DIR}/*.txt)
list(SORT files)
set(body "// Generated from host/texts by EmbedTexts.cmake; do not edit.\n#include \"host/TextTables.h\"\n\nnamespace {\n")
set(table "")
set(index 0)
foreach(name ${files})
  sysdlg_byte_array(${TEXT_DIR}/${name} table${index} definition size)
  string(REGEX REPLACE "\\.txt$" "" language "${name}")
  string(APPEND body "${definition}")
  string(APPEND table "        {\"${language}\", {reinterpret_cast<const char*>(table${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
# Made on the first call, as the template table is (see
# resources/EmbedTemplates.cmake): a host may look a table up while it loads.
string(APPEND body "}  // namespace\n\nstd::span<const TextTableFile> TextTableFiles()\n{\n"
       "    static const TextTableFile files[] = {\n${table}        {},\n    };\n"
       "    return {files, ${index}};\n}\n")
file(WRITE ${OUTPUT} "${body}")
