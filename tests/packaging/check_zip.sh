#!/bin/sh
# The Windows zip holds the program and its read-me; the program needs no DLL but the
# system's own, and its version record names it.
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G ZIP -B "$out" >/dev/null)
zip=$(ls "$out"/*.zip)
unzip -q "$zip" -d "$out/unpacked"
files=$(cd "$out/unpacked" && find . -type f | sort | tr '\n' ' ')
want="./brindle-1.00-windows-x64/brindle.exe ./brindle-1.00-windows-x64/readme.txt "
[ "$files" = "$want" ] || { echo "the zip holds: $files"; exit 1; }
dlls=$(x86_64-w64-mingw32-objdump -p "$out"/unpacked/*/brindle.exe | awk '/DLL Name/ {print $3}' |
    sort | tr '\n' ' ')
[ "$dlls" = "GDI32.dll KERNEL32.dll OLEACC.dll OLEAUT32.dll USER32.dll msvcrt.dll ole32.dll " ] || { echo "brindle.exe needs: $dlls"; exit 1; }
grep -q "Windows 10" "$out"/unpacked/*/readme.txt
texts=$(strings -el "$out"/unpacked/*/brindle.exe | tr '\n' ' ')
for want in "CompanyName Quorvane" "ProductName Brindle" "FileVersion 1.00" "ProductVersion 1.00"; do
    case "$texts" in *"$want"*) ;; *) echo "the version record lacks: $want"; exit 1 ;; esac
done
echo "$zip: $files; needs $dlls"
