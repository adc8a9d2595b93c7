# cmake -DSEED_DIR=<folder> -DOUT=<file.cpp> -P embed_seed.cmake
#
# Writes every file of the seeds folder (one machine folder per seed) into a C++ source as byte
# arrays, so that the seed machines are part of the library and need no files at run time.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SEED_DIR}" "${SEED_DIR}/*")
list(SORT files)

set(arrays "")
set(table "")
set(count 0)
foreach(f IN LISTS files)
    file(READ "${SEED_DIR}/${f}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(HEX "${f}" namehex)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," name "${namehex}")
    string(APPEND arrays "static const unsigned char kName${count}[] = {${name}0};\n")
    string(APPEND arrays "static const unsigned char kData${count}[] = {${bytes}0};\n")
    string(APPEND table "    {kName${count}, kData${count}, ${size}},\n")
    math(EXPR count "${count} + 1")
endforeach()

set(text "// Generated from the seed folder by embed_seed.cmake; do not edit.\n")
string(APPEND text "#include \"sysaccess/sim/seed_data.h\"\n\nnamespace sim::seed {\n\n")
string(APPEND text "${arrays}\nconst File kFiles[] = {\n${table}};\n")
string(APPEND text "const std::size_t kFileCount = ${count};\n\n} // namespace sim::seed\n")
file(WRITE "${OUT}.tmp" "${text}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
