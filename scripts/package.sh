#!/usr/bin/env bash
# Builds the release packages: build/Kestrum-<version>-x86.zip (the 32-bit build) and
# build/Kestrum-<version>-x64.zip (the 64-bit build), each holding a Kestrum folder with the
# stripped Kestrum.exe, its help page, an example language file and a read-me on installing.
# Both name the program Kestrum.exe, so a data folder and its language file serve either.
# Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages
kestrum_build_variant native languagefile
version=$(sed -n 's/^project(Kestrum VERSION \([0-9.]*\).*/\1/p' "$kestrum_root/CMakeLists.txt")

# package VARIANT SUFFIX: the archive of one release build.
package() {
    local variant=$1 suffix=$2
    kestrum_build_variant "$variant" Kestrum
    local staging=$kestrum_build/package-$suffix
    rm -rf "$staging"
    mkdir -p "$staging/Kestrum"
    cp "$kestrum_build/$variant/Kestrum.exe" "$kestrum_root/app/help.htm" "$staging/Kestrum/"
    "$kestrum_build/native/languagefile" >"$staging/Kestrum/Example.lang"
    # The read-me is for Notepad: Windows line ends.
    sed 's/$/\r/' "$kestrum_root/package/ReadMe.txt" >"$staging/Kestrum/ReadMe.txt"
    local archive=$kestrum_build/Kestrum-$version-$suffix.zip
    rm -f "$archive"
    (cd "$staging" && cmake -E tar cf "$archive" --format=zip Kestrum)
    echo "$archive ($(stat -c %s "$archive") bytes; Kestrum.exe $(stat -c %s "$staging/Kestrum/Kestrum.exe") bytes)"
}

package release x86
package release64 x64
