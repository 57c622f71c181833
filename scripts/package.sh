#!/usr/bin/env bash
# Builds the release package: build/Kestrum-<version>.zip holding a Kestrum folder with the
# stripped Kestrum.exe, its help page, an example language file and a read-me on installing.
# Installs what it needs on Debian (run as root).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

kestrum_ensure_packages
kestrum_build_variant release Kestrum
kestrum_build_variant native languagefile

version=$(sed -n 's/^project(Kestrum VERSION \([0-9.]*\).*/\1/p' "$kestrum_root/CMakeLists.txt")
staging=$kestrum_build/package
rm -rf "$staging"
mkdir -p "$staging/Kestrum"
cp "$kestrum_build/release/Kestrum.exe" "$kestrum_root/app/help.htm" "$staging/Kestrum/"
"$kestrum_build/native/languagefile" >"$staging/Kestrum/Example.lang"
# The read-me is for Notepad: Windows line ends.
sed 's/$/\r/' "$kestrum_root/package/ReadMe.txt" >"$staging/Kestrum/ReadMe.txt"

archive=$kestrum_build/Kestrum-$version.zip
rm -f "$archive"
(cd "$staging" && cmake -E tar cf "$archive" --format=zip Kestrum)
echo "$archive ($(stat -c %s "$archive") bytes; Kestrum.exe $(stat -c %s "$staging/Kestrum/Kestrum.exe") bytes)"
