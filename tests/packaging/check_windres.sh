#!/bin/sh
# Compiles the Windows version record the way a Windows build would, and checks what
# it says.
set -eu
src=$1
rc=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
x86_64-w64-mingw32-windres --preprocessor=cpp --preprocessor-arg=-P -I "$src/src/ui/assets" \
    "$rc" -O coff -o "$out"
texts=$(strings -el "$out" | tr '\n' ' ')
for want in "CompanyName Quorvane" "ProductName Brindle" "FileVersion 1.00" "ProductVersion 1.00"; do
    case "$texts" in
        *"$want"*) ;;
        *) echo "the version record lacks: $want"; exit 1 ;;
    esac
done
echo "version record: $texts"
