#!/bin/sh
# The committed pictures are exactly what draw.py draws, byte for byte.
set -eu
pictures=$(cd "$(dirname "$0")/../src/pictures" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/python3 "$pictures/draw.py" "$out" >/dev/null
drawn=$(ls "$out")
[ -n "$drawn" ] || { echo "draw.py drew nothing"; exit 1; }
for f in $drawn; do
    cmp "$out/$f" "$pictures/$f"
done
echo "draw.py draws the $(echo "$drawn" | wc -l) committed pictures"
