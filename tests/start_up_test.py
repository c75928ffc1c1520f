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


def shows_window(display, game, seconds=20):
    """Whether the game maps its window on the display before it ends or time runs out."""
    end = time.monotonic() + seconds
    while game.poll() is None and time.monotonic() < end:
        tree = subprocess.run(["xwininfo", "-display", display, "-root", "-tree"],
                              capture_output=True, text=True).stdout
        for line in tree.splitlines():
            if '"Quorvane Brindle"' in line:
                info = subprocess.run(["xwininfo", "-display", display, "-id", line.split()[0]],
                                      capture_output=True, text=True).stdout
                if "IsViewable" in info:
                    return True
        time.sleep(0.05)
    return False


def clean_env(env_changes):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")}
    env.update(env_changes)
    return env


def report(name, ok, status, lines):
    print(f"{'ok  ' if ok else 'FAIL'} {name}: {status}, {len(lines)} line(s)")
    (passed if ok else failures).append(name)
    if lines:
        print("     " + "\n     ".join(lines[:6]))


def expect(name, env_changes, says="no display", wrap=()):
    """The game refuses to start, in one line that says why, with status 1."""
    try:
        p = subprocess.run([*wrap, GAME], env=clean_env(env_changes), capture_output=True,
                           text=True, timeout=20)
        status, lines = p.returncode, (p.stdout + p.stderr).strip().splitlines()
    except subprocess.TimeoutExpired:
        status, lines = "still running after 20 s", []
    report(name, status == 1 and len(lines) == 1 and says in lines[0], status, lines)


def expect_window(name, display, args=()):
    """The game shows its window on the display."""
    game = subprocess.Popen([GAME, *args], env=clean_env({"DISPLAY": display}),
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    shown = shows_window(display, game)
    game.terminate()
    out, _ = game.communicate()
    lines = out.strip().splitlines()
    report(name, shown, "window shown" if shown else f"no window, {game.returncode}",
           lines)


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
    expect_window("a server with only its abstract socket", f":{n}")
    # Qt's own options are not read: each of these would otherwise end the program or
    # change it (an unknown platform, a display that is not there).
    expect_window("arguments are ignored", f":{n}",
                  ["-platform", "nonexistent", "-display", ":999", "-reverse", "-style", "x"])
    expect("a platform that is not installed, with a live display",
           {"DISPLAY": f":{n}", "QT_QPA_PLATFORM": "nosuchplugin"}, says='"nosuchplugin"')
finally:
    xvfb.terminate()
    xvfb.wait()

# A Wayland compositor that takes windows but shows none: weston's full-screen shell.
runtime = tempfile.mkdtemp()
os.chmod(runtime, 0o700)
weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--shell=fullscreen-shell.so",
                           "--socket=brindle", "--idle-time=0"],
                          env={**os.environ, "XDG_RUNTIME_DIR": runtime},
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    for _ in range(200):
        if os.path.exists(f"{runtime}/brindle"):
            break
        time.sleep(0.05)
    expect("a Wayland compositor without a desktop shell",
           {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "brindle", "QT_QPA_PLATFORM": "wayland"},
           says="no desktop windows")
finally:
    weston.terminate()
    weston.wait()
    shutil.rmtree(runtime)

print(f"{len(passed)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
