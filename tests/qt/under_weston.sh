#!/bin/sh
# Runs a command as a Wayland client of weston, a real compositor, on its headless
# backend, and exits with its status; the compositor ends with it.
#   under_weston.sh COMMAND...
set -u
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
weston --backend=headless-backend.so --socket=brindle --idle-time=0 >"$runtime/log" 2>&1 &
weston=$!
for _ in $(seq 200); do
    [ -S "$runtime/brindle" ] && break
    sleep 0.05
done
[ -S "$runtime/brindle" ] || { echo "weston did not start:"; cat "$runtime/log"; exit 1; }
WAYLAND_DISPLAY=brindle QT_QPA_PLATFORM=wayland "$@"
status=$?
kill "$weston" 2>/dev/null
wait "$weston" 2>/dev/null
rm -rf "$runtime"
exit "$status"
