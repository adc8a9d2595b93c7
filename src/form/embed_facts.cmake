# cmake -DIN=<facts.txt> -DOUT=<file.cpp> -P embed_facts.cmake
#
# Writes the facts file into a C++ source as bytes, so that the program carries it and reads no
# file at run time. Comment lines are carried empty: the program never reads them, and the line
# numbers stay those of the file.
file(READ "${IN}" facts)
string(REGEX REPLACE "^#[^\n]*" "" facts "${facts}")
string(REGEX REPLACE "\n#[^\n]*" "\n" facts "${facts}")
file(WRITE "${OUT}.txt" "${facts}")
file(READ "${OUT}.txt" hex HEX)
file(REMOVE "${OUT}.txt")
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
set(text "// Generated from facts.txt by embed_facts.cmake; do not edit.\n#include <cstddef>\n\n")
string(APPEND text "namespace form::facts_data {\n\nextern const unsigned char kText[];\nextern const std::size_t kSize;\n")
string(APPEND text "const unsigned char kText[] = {${bytes}0};\nconst std::size_t kSize = ${size};\n\n}\n")
file(WRITE "${OUT}.tmp" "${text}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
