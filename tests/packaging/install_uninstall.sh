#!/bin/sh
# `make install` into a fresh prefix puts the program there, and `make uninstall`
# then leaves nothing behind; a folder that was there before stays.
#   install_uninstall.sh SOURCE BUILD PROGRAM
set -u
source=$1 build=$2 program=$3
root=$(mktemp -d)
# What a real install from this build recorded is kept aside, and put back after.
for f in install_manifest.txt install_folders.txt; do
    [ -f "$build/$f" ] && mv "$build/$f" "$root/$f"
done
trap 'for f in install_manifest.txt install_folders.txt; do
    [ -f "$root/$f" ] && mv "$root/$f" "$build/$f"; done; rm -rf "$root"' EXIT
mkdir -p "$root/prefix/share"  # there before, and empty
make -s -C "$source" install BUILD="$build" PREFIX="$root/prefix" >/dev/null
installed=$(find "$root/prefix" -name "$program" -type f)
make -s -C "$source" uninstall BUILD="$build" >/dev/null
left=$(cd "$root" && find prefix -mindepth 1 ! -path prefix/share)
echo "installed: ${installed:-nothing}; left after uninstalling: ${left:-nothing}"
[ -n "$installed" ] && [ -z "$left" ] && [ -d "$root/prefix/share" ]
