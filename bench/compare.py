#!/usr/bin/python3
"""Start-up, memory and idle cost of Brindle beside a bare Qt window and sgt-flip.

    bench/compare.py [--rounds N] [--idle] BUILD_DIR

Runs each program once per round, in an order that rotates every round, on the X
display in $DISPLAY (start one with `Xvfb :99 &` and DISPLAY=:99). Prints the median
of each figure per program and Brindle's ratio to each of the others.
"""
import argparse
import os
import statistics
import subprocess
import sys


def probe(xprobe, command, idle):
    args = [xprobe, "--settle", "1"] + (["--idle", "10"] if idle else []) + ["--"] + command
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout.split()
    return {k: float(v) for k, v in (field.split("=") for field in out)}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--rounds", type=int, default=11)
    ap.add_argument("--idle", action="store_true", help="also measure 10 s of idle running")
    opts = ap.parse_args()
    xprobe = os.path.join(opts.build, "bench", "xprobe")
    programs = {
        "brindle": [os.path.join(opts.build, "brindle")],
        "bare Qt window": [os.path.join(opts.build, "bench", "bare_window")],
        # With the X setting Brindle chooses for itself, so that both do the same work.
        "bare, repainting": ["env", "QT_XCB_NO_MITSHM=1",
                             os.path.join(opts.build, "bench", "bare_window"), "--repaint"],
        "sgt-flip": ["/usr/games/sgt-flip"],
    }
    results = {name: [] for name in programs}
    names = list(programs)
    for r in range(opts.rounds):
        for name in names[r % len(names):] + names[:r % len(names)]:
            results[name].append(probe(xprobe, programs[name], opts.idle))
    keys = list(results["brindle"][0])
    median = {n: {k: statistics.median(run[k] for run in results[n]) for k in keys} for n in names}
    print(f"medians over {opts.rounds} rounds")
    print(f"{'':16}" + "".join(f"{k:>14}" for k in keys))
    for n in names:
        print(f"{n:16}" + "".join(f"{median[n][k]:14.2f}" for k in keys))
    for other in names[1:]:
        ratios = "".join(
            f"{median['brindle'][k] / median[other][k]:14.2f}" if median[other][k] else f"{'-':>14}"
            for k in keys)
        print(f"{'÷ ' + other:16}" + ratios)


if __name__ == "__main__":
    sys.exit(main())
