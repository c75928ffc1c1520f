#!/bin/sh
# The committed table of the type's advances is exactly what advances.py writes from the
# font and the texts, so that neither can change without it.
set -eu
layout=$(cd "$(dirname "$0")/../src/layout" && pwd)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
/usr/bin/python3 "$layout/advances.py" "$out"
[ -s "$out" ] || { echo "advances.py wrote nothing"; exit 1; }
cmp "$out" "$layout/advances.h"
echo "advances.py writes the committed advances.h"
