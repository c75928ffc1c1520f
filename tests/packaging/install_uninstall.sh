#!/bin/sh
# `make install` into a fresh prefix puts the program there, and `make uninstall`
# then leaves nothing behind; a folder that was there before stays.
#   install_uninstall.sh SOURCE BUILD PROGRAM
set -u
source=$1 build=$2 program=$3
root=$(mktemp -d)
# What a real install from this build recorded is kept aside and put back.
for f in install_manifest.txt install_folders.txt; do
    [ -f "$build/$f" ] && mv "$build/$f" "$root/$f"
done
restore() {
    for f in install_manifest.txt install_folders.txt; do
        if [ -f "$root/$f" ]; then mv "$root/$f" "$build/$f"; fi
    done
    rm -rf "$root"
}
trap restore EXIT
mkdir "$root/prefix" "$root/prefix/share"  # there before, and empty
fail=0
make -s --no-print-directory -C "$source" install BUILD="$build" PREFIX="$root/prefix" >/dev/null || fail=1
if [ -n "$(find "$root/prefix" -name "$program" -type f)" ]; then
    echo "ok   installed: $(find "$root/prefix" -type f | wc -l) files"
else
    echo "FAIL $program not installed"
    fail=1
fi
make -s --no-print-directory -C "$source" uninstall BUILD="$build" >/dev/null || fail=1
left=$(cd "$root" && find prefix -mindepth 1 ! -path prefix/share)
if [ -z "$left" ] && [ -d "$root/prefix/share" ]; then
    echo "ok   uninstalled: nothing left, the folders that were there still are"
else
    echo "FAIL left behind or taken away:"
    printf '%s\n' "$left"
    [ -d "$root/prefix/share" ] || echo "prefix/share"
    fail=1
fi
exit "$fail"
