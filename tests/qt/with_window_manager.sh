#!/bin/sh
# Runs a command on a fresh Xvfb screen of the given size under openbox, a real window
# manager, and exits with its status.
#   with_window_manager.sh WIDTHxHEIGHT COMMAND...
size=$1
shift
exec xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" sh -c '
    openbox --sm-disable 2>/dev/null &
    # The window manager is up once it names itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && break
        sleep 0.05
    done
    QT_QPA_PLATFORM=xcb "$@"' with_window_manager "$@"
