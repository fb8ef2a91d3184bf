# Writes a C++ unit whose one function returns the bytes of a text file, NUL-terminated, so that
# a file kept as itself in the tree (a page, its script and style) is built into a program.
#   cmake -DINPUT=page.html -DOUTPUT=Page.cpp -DHEADER=Page.h -DFUNCTION=PageText -P NUVEmbedText.cmake
# Every byte is a \x escape, so the file may hold anything a string literal could not.
foreach(_var INPUT OUTPUT HEADER FUNCTION)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "NUVEmbedText.cmake needs -D${_var}=...")
  endif()
endforeach()

file(READ "${INPUT}" _hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" _escaped "${_hex}")
# 32 bytes (128 characters of escapes) a line.
string(REPEAT "." 128 _line)
string(REGEX REPLACE "(${_line})" "\\1\"\n    \"" _escaped "${_escaped}")
get_filename_component(_name "${INPUT}" NAME)

file(WRITE "${OUTPUT}" "// Generated from ${_name} by NUVEmbedText.cmake at build time; edit ${_name} instead.
#include \"${HEADER}\"

const char* ${FUNCTION}() {
  return \"${_escaped}\";
}
")
