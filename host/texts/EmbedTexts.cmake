# Writes a C++ source holding every text table of TEXT_DIR (<language>.txt)
# as a string, with a table of languages (see host/TextTables.h).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/EmbedSupport.cmake)
sysdlg_file_table(${TEXT_DIR} .txt OFF TextTableFiles TextTableFile table)
file(WRITE ${OUTPUT} "// Generated from host/texts by EmbedTexts.cmake; do not edit.\n#include \"host/TextTables.h\"\n\n${table}")
