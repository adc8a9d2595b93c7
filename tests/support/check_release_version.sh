#!/bin/sh
# check_release_version.sh VERSION_DIR GUI_EXE CLI_EXE [WINEPREFIX]: the release exes say which
# version they are, and all say the same. The version the build recorded (VERSION_DIR/version.txt)
# is the project's version from CMakeLists.txt, followed by the commit git names as HEAD unless
# HEAD is that version's release tag; both exes' version resources, read back with exiftool, hold
# it as text (FileVersion, ProductVersion) and as numbers (the project's version and 0), with the
# product name, their own file names, a description and LICENSE's copyright line. With a Wine
# prefix, `sysvela-cli.exe --version` prints it too.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
version_dir=$1
gui=$2
cli=$3
prefix=${4:-}
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

text=$(cat "$version_dir/version.txt") || { echo "no version recorded in $version_dir: build the windows preset"; exit 1; }
project=$(sed -n 's/^project(Sysvela VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
expected="$project+unknown"
if head=$(git -C "$root" rev-parse HEAD 2>/dev/null); then
    expected="$project+git.$(printf '%s' "$head" | cut -c1-10)"
    git -C "$root" tag --points-at HEAD | grep -qx "v$project" && expected=$project
fi
echo "version recorded by the build: $text (expected $expected)"
[ "$text" = "$expected" ] || fail "the build recorded $text, not $expected"

copyright=$(grep -m1 '^Copyright ' "$root/LICENSE")
info=""
field() { printf '%s\n' "$info" | sed -n "s/^$1 *: //p"; }
for exe in "$gui" "$cli"; do
    name=$(basename "$exe")
    echo "$name:"
    info=$(exiftool -s -FileVersionNumber -ProductVersionNumber -FileVersion -ProductVersion -ProductName \
        -OriginalFileName -FileDescription -LegalCopyright "$exe") || { fail "exiftool cannot read $exe"; continue; }
    printf '%s\n' "$info" | sed 's/^/  /'
    for f in FileVersion ProductVersion; do
        [ "$(field $f)" = "$text" ] || fail "$name: $f is '$(field $f)', not $text"
    done
    for f in FileVersionNumber ProductVersionNumber; do
        [ "$(field $f)" = "$project.0" ] || fail "$name: $f is '$(field $f)', not $project.0"
    done
    [ "$(field ProductName)" = Sysvela ] || fail "$name: ProductName is '$(field ProductName)'"
    [ "$(field OriginalFileName)" = "$name" ] || fail "$name: OriginalFileName is '$(field OriginalFileName)'"
    [ -n "$(field FileDescription)" ] || fail "$name: no FileDescription"
    [ "$(field LegalCopyright)" = "$copyright" ] || fail "$name: LegalCopyright is not '$copyright'"
done

if [ -n "$prefix" ]; then
    said=$("$root/scripts/winerun" "$prefix" "$cli" --version </dev/null 2>&1 | tr -d '\r')
    echo "sysvela-cli.exe --version: $said"
    [ "$said" = "sysvela-cli $text" ] || fail "--version printed '$said', not 'sysvela-cli $text'"
else
    echo "sysvela-cli.exe --version: left to the i686 suites (a 32-bit program)"
fi
exit $status
