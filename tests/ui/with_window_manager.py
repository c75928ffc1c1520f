#!/usr/bin/python3
"""Runs a command on a fresh Xvfb screen of the given size under openbox, a real
window manager, and returns its exit status.

    with_window_manager.py WIDTHxHEIGHT COMMAND..."""
import os
import subprocess
import sys
import time

size, command = sys.argv[1], sys.argv[2:]
read, write = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp",
                         "-screen", "0", f"{size}x24"], pass_fds=[write],
                        stderr=subprocess.DEVNULL)
os.close(write)
display = ":" + os.read(read, 16).decode().strip()
env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
wm = subprocess.Popen(["openbox", "--sm-disable"], env=env, stderr=subprocess.DEVNULL)
try:
    # The window manager is up once it names itself on the root window.
    for _ in range(100):
        check = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                               capture_output=True, text=True)
        if "window id" in check.stdout:
            break
        time.sleep(0.05)
    else:
        sys.exit("openbox did not start")
    sys.exit(subprocess.run(command, env=env).returncode)
finally:
    wm.terminate()
    xvfb.terminate()
    wm.wait()
    xvfb.wait()
