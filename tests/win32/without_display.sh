#!/bin/sh
# Under Wine with no display the window cannot be made: the program says so on its
# standard error and ends with status 1, within seconds, leaving nothing running.
#   without_display.sh BUILD
set -u
build=$1
export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
out=$(timeout 60 /usr/lib/wine/wine64 "$build/brindle.exe" 2>&1)
status=$?
echo "status $status: $out"
[ "$status" -eq 1 ] || { echo "FAIL: expected status 1"; exit 1; }
case "$out" in
*"Игра не может запуститься"*) echo ok ;;
*) echo "FAIL: no reason given"; exit 1 ;;
esac
