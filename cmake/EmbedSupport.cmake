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

# sysdlg_file_table(DIR SUFFIX KEEP_SUFFIX FUNCTION TYPE OUT): in OUT the C++
# of every DIR/*SUFFIX as a byte array, in an anonymous namespace, and of
# FUNCTION, which returns a std::span<const TYPE> of {name, content} for them
# sorted by name; the name keeps SUFFIX when KEEP_SUFFIX is true. The table is
# made on the first call, not while the library loads: the library looks
# into it from its own load-time initialisers (the templates are registered
# then), which may run before this file's.
function(sysdlg_file_table dir suffix keep_suffix function type out)
  file(GLOB files RELATIVE ${dir} ${dir}/*${suffix})
  list(SORT files)
  string(LENGTH "${suffix}" suffix_length)
  set(arrays "")
  set(rows "")
  set(index 0)
  foreach(name ${files})
    sysdlg_byte_array(${dir}/${name} file${index} definition size)
    string(APPEND arrays "${definition}")
    if(NOT keep_suffix)
      string(LENGTH "${name}" length)
      math(EXPR length "${length} - ${suffix_length}")
      string(SUBSTRING "${name}" 0 ${length} name)
    endif()
    string(APPEND rows "        {\"${name}\", {reinterpret_cast<const char*>(file${index}), ${size}}},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  # The empty last entry keeps the array from being empty; it is not part of the span.
  string(CONCAT text "namespace {\n\n${arrays}\n}  // namespace\n\nstd::span<const ${type}> ${function}()\n{\n"
         "    static const ${type} files[] = {\n${rows}        {},\n    };\n    return {files, ${index}};\n}\n")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
