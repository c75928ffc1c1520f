#!/usr/bin/python3
"""Start-up without a usable display ends in one line and exit status 1, never a
crash; arguments are not read; a live X server is found however it is reached.

    start_up_test.py BRINDLE

The X servers here are made by the test: sockets that refuse or hang up, a socket file
nobody listens on, and a real Xvfb whose socket file has been removed."""
import os
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

GAME = sys.argv[1]
SOCKETS = "/tmp/.X11-unix"
failures = []


def run(env_changes, args=(), seconds=5):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")}
    env.update({k: v for k, v in env_changes.items() if v is not None})
    try:
        p = subprocess.run([GAME, *args], env=env, capture_output=True, text=True,
                           timeout=seconds)
        return p.returncode, (p.stdout + p.stderr).strip().splitlines()
    except subprocess.TimeoutExpired:
        return "running", []


def expect_refusal(name, env_changes, args=()):
    status, lines = run(env_changes, args)
    ok = status == 1 and len(lines) == 1 and "no display" in lines[0]
    print(f"{'ok  ' if ok else 'FAIL'} {name}: exit {status}, {len(lines)} line(s)")
    if not ok:
        failures.append(name)
        print("     " + "\n     ".join(lines[:6]))


def expect_running(name, env_changes, args=()):
    status, lines = run(env_changes, args, seconds=3)
    ok = status == "running"
    print(f"{'ok  ' if ok else 'FAIL'} {name}: {status}")
    if not ok:
        failures.append(name)
        print("     " + "\n     ".join(lines[:6]))


def free_display():
    for n in range(700, 800):
        if not os.path.exists(f"{SOCKETS}/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise SystemExit("no free display number")


def fake_server(n, answer):
    """Listens as display :n and treats every client with `answer(connection)`."""
    path = f"{SOCKETS}/X{n}"
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen(4)

    def serve():
        while True:
            try:
                conn, _ = server.accept()
            except OSError:
                return
            answer(conn)
            conn.close()

    threading.Thread(target=serve, daemon=True).start()
    return server, path


def refuse(conn):
    """Answers the connection set-up as a server that does not let this client in."""
    conn.recv(4096)
    reason = b"No protocol specified\n"
    padded = reason + b"\0" * (-len(reason) % 4)
    conn.sendall(struct.pack("<BBHHH", 0, len(reason), 11, 0, len(padded) // 4) + padded)


os.makedirs(SOCKETS, exist_ok=True)

expect_refusal("no DISPLAY", {})
expect_refusal("QT_QPA_PLATFORM=xcb without DISPLAY", {"QT_QPA_PLATFORM": "xcb"})
expect_refusal("DISPLAY=localhost:999", {"DISPLAY": "localhost:999"})
expect_refusal("a framebuffer that is not there",
               {"QT_QPA_PLATFORM": "linuxfb:fb=/nonexistent/fb0"})

n = free_display()
stale = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
stale.bind(f"{SOCKETS}/X{n}")
stale.close()  # the file stays, as after a killed server
expect_refusal("a stale socket file", {"DISPLAY": f":{n}"})
os.unlink(f"{SOCKETS}/X{n}")

for name, answer in (("a server that hangs up at once", lambda conn: None),
                     ("a server that refuses the client", refuse)):
    n = free_display()
    server, path = fake_server(n, answer)
    expect_refusal(name, {"DISPLAY": f":{n}"})
    server.close()
    os.unlink(path)

# Qt's own options are not read: each of these would otherwise end the program or
# change it (an unknown platform, a display that is not there).
expect_running("arguments are ignored", {"QT_QPA_PLATFORM": "offscreen"},
               ["-platform", "nonexistent", "-display", ":999", "-reverse", "-style", "x"])

# A live server reached only through its abstract socket.
n = free_display()
with tempfile.TemporaryFile() as log:
    xvfb = subprocess.Popen(["Xvfb", f":{n}", "-nolisten", "tcp"], stderr=log)
    try:
        for _ in range(100):
            if os.path.exists(f"{SOCKETS}/X{n}"):
                break
            time.sleep(0.05)
        os.unlink(f"{SOCKETS}/X{n}")
        expect_running("a server with only its abstract socket", {"DISPLAY": f":{n}"})
    finally:
        xvfb.terminate()
        xvfb.wait()

print(f"{9 - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
