#!/usr/bin/python3
"""Start-up without a usable display or platform ends in one line that says why and
exit status 1, never a crash or a game nobody sees; arguments are not read; a live X
server is found however it is reached.

    start_up_test.py BRINDLE

The live X server is a real Xvfb whose socket file the test removes."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

GAME = sys.argv[1]
SOCKETS = "/tmp/.X11-unix"
failures, passed = [], []


def expect(name, env_changes, says="no display", refused=True, args=(), wrap=()):
    """The game refuses to start in one line that says why, with status 1; or, not
    refused, maps its window on the display it is given."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")} | env_changes
    game = subprocess.Popen([*wrap, GAME, *args], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    if not refused:  # the window is up once the server lists it as viewable
        shown = subprocess.run(["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible",
                                "--name", "^Quorvane Brindle$"], env=env, capture_output=True).returncode == 0
        game.terminate()
    try:
        lines = game.communicate(timeout=20)[0].strip().splitlines()
    except subprocess.TimeoutExpired:
        game.kill()
        lines = [game.communicate()[0], "still running after 20 s"]
    ok = shown if not refused else game.returncode == 1 and len(lines) == 1 and says in lines[0]
    print(f"{'ok  ' if ok else 'FAIL'} {name}: {game.returncode}, {len(lines)} line(s)")
    (passed if ok else failures).append(name)
    print("".join("     " + line + "\n" for line in lines[:6]), end="")


def free_display():
    return next(n for n in range(700, 800) if not os.path.exists(f"{SOCKETS}/X{n}")
                and not os.path.exists(f"/tmp/.X{n}-lock"))


os.makedirs(SOCKETS, exist_ok=True)
expect("no DISPLAY", {})
expect("a framebuffer that is not there", {"QT_QPA_PLATFORM": "linuxfb:fb=/nonexistent/fb0"})
# Platforms that would run a game nobody sees, or serve it on port 5900.
for platform in ("vkkhrdisplay", "vnc", "minimal"):
    expect(platform, {"QT_QPA_PLATFORM": platform}, says=f'"{platform}" shows no window')
expect("xcb, else offscreen, without a display", {"QT_QPA_PLATFORM": "xcb;offscreen"})
expect("a scale too large to draw",
       {"QT_QPA_PLATFORM": "offscreen", "QT_SCALE_FACTOR": "100"}, says="too large to draw")
# A read-only /tmp, in a mount namespace of its own.
if subprocess.run(["unshare", "-m", "true"], capture_output=True).returncode == 0:
    expect("a read-only /tmp", {}, wrap=["unshare", "-m", "sh", "-c",
           'mount --bind /tmp /tmp && mount -o remount,bind,ro /tmp && exec "$0" "$@"'])
else:
    print("skip a read-only /tmp: this machine gives no mount namespace")

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
    # Qt's own options are not read: each of these would otherwise end the program or
    # change it (an unknown platform, a display that is not there).
    expect("arguments are ignored", {"DISPLAY": f":{n}"}, refused=False,
           args=["-platform", "nonexistent", "-display", ":999", "-reverse", "-style", "x"])
    expect("a platform that is not installed, with a live display",
           {"DISPLAY": f":{n}", "QT_QPA_PLATFORM": "nosuchplugin"}, says='"nosuchplugin"')
finally:
    xvfb.terminate()
    xvfb.wait()

# A Wayland compositor that takes windows but shows none: weston's full-screen shell.
runtime = tempfile.mkdtemp()
os.chmod(runtime, 0o700)
wayland = {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "brindle", "QT_QPA_PLATFORM": "wayland"}
weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--shell=fullscreen-shell.so",
                           "--socket=brindle", "--idle-time=0"], env={**os.environ, **wayland},
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    while not os.path.exists(f"{runtime}/brindle") and weston.poll() is None:
        time.sleep(0.05)
    expect("a Wayland compositor without a desktop shell", wayland, says="no desktop windows")
finally:
    weston.terminate()
    weston.wait()
    shutil.rmtree(runtime)

print(f"{len(passed)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
