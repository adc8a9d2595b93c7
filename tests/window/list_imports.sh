#!/bin/sh
# list_imports.sh EXE: the imports of a PE file, one "dll!function" a line (dll in lower case),
# sorted; by ordinal: "dll!#ordinal".
set -eu
i686-w64-mingw32-objdump -p "$1" | awk '
    /^[ \t]*DLL Name:/ { dll = tolower($3); next }
    /^[ \t]*vma:/ { next }
    /^$/ { dll = ""; next }
    dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print dll "!" $3; next }
    dll != "" && NF == 2 && $1 ~ /^[0-9a-f]+$/ { print dll "!#" $2; next }
' | sort -u
