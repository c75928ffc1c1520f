#!/bin/sh
# What a Wayland desktop reads of the window, from the requests the game sends it: its
# title, the desktop entry it finds the icon through, and a fixed size.
#   wayland_identity.sh BRINDLE DESKTOP_ENTRY   (run under under_weston.sh)
set -u
sent=$(WAYLAND_DEBUG=client timeout 3 "$1" 2>&1)
entry=$(basename "$2" .desktop)
fail=0
check() {
    if printf '%s\n' "$sent" | grep -q "$2"; then echo "ok   $1"; else echo "FAIL $1"; fail=1; fi
}
check "the title" 'xdg_toplevel@[0-9]*\.set_title("Quorvane Brindle")'
check "the desktop entry, and through it the icon" "xdg_toplevel@[0-9]*\.set_app_id(\"$entry\")"
min=$(printf '%s\n' "$sent" | sed -n 's/.*xdg_toplevel@[0-9]*\.set_min_size(\(.*\))/\1/p' | tail -1)
max=$(printf '%s\n' "$sent" | sed -n 's/.*xdg_toplevel@[0-9]*\.set_max_size(\(.*\))/\1/p' | tail -1)
if [ -n "$min" ] && [ "$min" = "$max" ] && [ "$min" != "0, 0" ]; then
    echo "ok   a fixed size: $min"
else
    echo "FAIL a fixed size: smallest ($min), largest ($max)"
    fail=1
fi
grep -q "^Icon=$entry$" "$2" && echo "ok   the entry's icon" || { echo "FAIL the entry's icon"; fail=1; }
exit "$fail"
