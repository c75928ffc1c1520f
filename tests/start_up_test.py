#!/usr/bin/python3
"""Start-up without a usable display ends in one line and exit status 1, never a
crash; arguments are not read; a live X server is found however it is reached.

    start_up_test.py BRINDLE

The live X server is a real Xvfb whose socket file the test removes."""
import os
import subprocess
import sys
import time

GAME = sys.argv[1]
SOCKETS = "/tmp/.X11-unix"
failures = []


def expect(name, env_changes, args=(), refused=True):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")}
    env.update(env_changes)
    try:
        p = subprocess.run([GAME, *args], env=env, capture_output=True, text=True, timeout=4)
        status, lines = p.returncode, (p.stdout + p.stderr).strip().splitlines()
    except subprocess.TimeoutExpired:
        status, lines = "running", []
    ok = (status == 1 and len(lines) == 1 and "no display" in lines[0]) if refused \
        else status == "running"
    print(f"{'ok  ' if ok else 'FAIL'} {name}: {status}, {len(lines)} line(s)")
    if not ok:
        failures.append(name)
        print("     " + "\n     ".join(lines[:6]))


def free_display():
    return next(n for n in range(700, 800) if not os.path.exists(f"{SOCKETS}/X{n}")
                and not os.path.exists(f"/tmp/.X{n}-lock"))


os.makedirs(SOCKETS, exist_ok=True)
expect("no DISPLAY", {})
expect("a framebuffer that is not there", {"QT_QPA_PLATFORM": "linuxfb:fb=/nonexistent/fb0"})

# Qt's own options are not read: each of these would otherwise end the program or
# change it (an unknown platform, a display that is not there).
expect("arguments are ignored", {"QT_QPA_PLATFORM": "offscreen"},
       ["-platform", "nonexistent", "-display", ":999", "-reverse", "-style", "x"], refused=False)

# A live server reached only through its abstract socket.
n = free_display()
xvfb = subprocess.Popen(["Xvfb", f":{n}", "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
try:
    for _ in range(100):
        if os.path.exists(f"{SOCKETS}/X{n}"):
            break
        time.sleep(0.05)
    os.unlink(f"{SOCKETS}/X{n}")
    expect("a server with only its abstract socket", {"DISPLAY": f":{n}"}, refused=False)
finally:
    xvfb.terminate()
    xvfb.wait()

print(f"{4 - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
