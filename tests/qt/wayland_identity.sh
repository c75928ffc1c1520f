#!/bin/sh
# What a Wayland desktop reads of the window, from the requests the game sends it: its
# title, the desktop entry it finds the icon through, and a fixed size.
#   wayland_identity.sh BRINDLE DESKTOP_ENTRY   (run under under_weston.sh)
set -u
sent=$(WAYLAND_DEBUG=client timeout 3 "$1" 2>&1 | sed -n 's/.*xdg_toplevel@[0-9]*\.//p')
entry=$(basename "$2" .desktop)
min=$(printf '%s\n' "$sent" | sed -n 's/^set_min_size(\(.*\))/\1/p' | tail -1)
max=$(printf '%s\n' "$sent" | sed -n 's/^set_max_size(\(.*\))/\1/p' | tail -1)
printf '%s\n' "$sent" | grep '^set_' 
printf '%s\n' "$sent" | grep -qx 'set_title("Quorvane Brindle")' &&
    printf '%s\n' "$sent" | grep -qx "set_app_id(\"$entry\")" &&
    grep -qx "Icon=$entry" "$2" && [ -n "$min" ] && [ "$min" = "$max" ] && [ "$min" != "0, 0" ]
