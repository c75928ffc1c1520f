#!/bin/sh
# Runs a Windows test program under Wine, in the build folder's own Wine prefix and on
# the X server that `wine.sh BUILD --up` started for the test run; `--down` stops both.
#   wine.sh BUILD --up | --down | PROGRAM.exe [ARGS...]
set -eu
build=$1
shift
export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all
# A Russian Windows: the system's own buttons read "ОК" and "Отмена".
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
# No .NET or browser engine: neither is used, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine64 package puts these outside PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# The screen's scale, 96 dpi unless the test asks for another; those tests run alone.
setDpi() {
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
}

case "${1:-}" in
--up)
    mkdir -p "$WINEPREFIX"
    rm -f "$WINEPREFIX/display"
    # The server outlives this script, so it must not hold the test runner's output.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINEPREFIX/display" \
        >/dev/null 2>&1 </dev/null &
    echo $! >"$WINEPREFIX/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$WINEPREFIX/display" ] && break
        sleep 0.05
    done
    DISPLAY=:$(cat "$WINEPREFIX/display")
    export DISPLAY
    if [ ! -f "$WINEPREFIX/user.reg" ]; then
        "$wine" wineboot -i >/dev/null 2>&1 </dev/null
        # A desktop of its own, where Wine draws window frames as Windows does, and the
        # fonts a Windows machine has.
        "$wine" regedit /S "Z:$(cd "$(dirname "$0")" && pwd)/prefix.reg" >/dev/null 2>&1 </dev/null
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        # The desktop reads its settings when it starts.
        "$wineserver" -k >/dev/null 2>&1 || true
    fi
    # Kept running between the tests, so that each starts in a moment; Wine's own
    # services and desktop start here too, so that they don't hold a test's output.
    "$wineserver" -p >/dev/null 2>&1 </dev/null || true
    "$wine" wineboot >/dev/null 2>&1 </dev/null
    ;;
--down)
    "$wineserver" -k >/dev/null 2>&1 || true
    kill "$(cat "$WINEPREFIX/xvfb.pid")" 2>/dev/null || true
    ;;
*)
    DISPLAY=:$(cat "$WINEPREFIX/display")
    export DISPLAY
    setDpi "${BRINDLE_DPI:-96}"
    exec "$wine" "$@"
    ;;
esac
