#!/usr/bin/env python3
"""The native first frame of an application, whole process: nuv-workbench --screenshot run again
and again, with the runner's own phase times (NUV_WORKBENCH_TIMINGS) set against the wall time of
the process. Prints the median of each phase, its share and its coefficient of variation.

usage: first_frame.py WORKBENCH APPFILE [--runs N]   (default 7 runs)
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

UNSTABLE_CV = 0.05


def one_run(workbench, appfile, shot):
    env = dict(os.environ, NUV_WORKBENCH_TIMINGS="1", QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    done = subprocess.run([workbench, "--screenshot", shot, appfile], env=env, capture_output=True, text=True,
                          timeout=120)
    whole = (time.perf_counter() - start) * 1e3
    if done.returncode != 0:
        sys.exit(f"first_frame: {workbench} failed ({done.returncode}): {done.stderr.strip()}")
    line = next((l for l in done.stderr.splitlines() if "timings:" in l), None)
    if line is None:
        sys.exit("first_frame: the runner printed no timings")
    phases = {name: float(ms) for name, ms in re.findall(r"(\w+) ([0-9.]+) ms", line)}
    # What the runner cannot see itself: starting the process (loading and linking its libraries)
    # and ending it.
    phases["process"] = whole - sum(phases.values())
    phases["whole"] = whole
    return phases


def cv(values):
    mean = statistics.mean(values)
    return statistics.stdev(values) / mean if len(values) > 1 and mean else None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("workbench")
    parser.add_argument("appfile")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as scratch:
        runs = [one_run(args.workbench, args.appfile, os.path.join(scratch, "shot.png")) for _ in range(args.runs)]
    names = ["process", "start", "file", "qt", "module", "compose", "run", "paint", "output", "finish", "whole"]
    whole = statistics.median(r["whole"] for r in runs)
    print(f"\nfirst frame of {os.path.basename(args.appfile)} (--screenshot, whole process, {args.runs} runs)\n")
    print("| phase | median | share | cv |\n|---|---|---|---|")
    for name in names:
        values = [r[name] for r in runs if name in r]
        if not values:
            continue
        spread = cv(values)
        mark = "-" if spread is None else f"{spread * 100:.1f} %" + (" (unstable)" if spread > UNSTABLE_CV else "")
        median = statistics.median(values)
        print(f"| {name} | {median:.2f} ms | {median / whole * 100:.0f} % | {mark} |")


if __name__ == "__main__":
    main()
