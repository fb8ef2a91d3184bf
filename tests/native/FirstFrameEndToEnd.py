#!/usr/bin/env python3
"""--window --close-after-first-frame on a private Xvfb display: the runner reports the moment its
window's first frame is painted, on the monotonic clock between its start and its end, then closes
the window as the user would (the run ends with status 0 and its last dump), and with
NUV_WORKBENCH_TIMINGS its phases up to the frame.

Without Xvfb the test is skipped (exit 77), unless NUV_REQUIRE_XVFB is set."""
import json
import os
import re
import subprocess
import sys
import time

from NativeWindowDriver import TIMEOUT, fail, require_tools, start_display


def main():
    binary, app = sys.argv[1], sys.argv[2]
    require_tools()
    server, display = start_display()
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", NUV_WORKBENCH_TIMINGS="1")
        start = time.monotonic_ns()
        try:
            done = subprocess.run([binary, "--window", "--json", "--close-after-first-frame", app], env=env,
                                  capture_output=True, text=True, timeout=TIMEOUT * 4)
        except subprocess.TimeoutExpired:
            fail("the window did not close after its first frame")
        end = time.monotonic_ns()
    finally:
        server.terminate()
        server.wait()
    if done.returncode != 0:
        fail(f"status {done.returncode}: {done.stderr}")
    frame = re.search(r"^nuv-workbench: first frame painted at (\d+) ns \(monotonic clock\)$", done.stderr, re.M)
    if not frame or not start < int(frame.group(1)) < end:
        fail("no first frame between the start and the end of the run: " + done.stderr)
    timings = re.search(r"^nuv-workbench: timings: (.*)$", done.stderr, re.M)
    phases = re.findall(r"(\w+) [0-9.]+ ms", timings.group(1)) if timings else []
    if phases[:3] != ["start", "file", "qt"] or "peers" not in phases or "frame" not in phases:
        fail("the phases up to the first frame are not timed: " + done.stderr)
    events = [json.loads(line) for line in done.stdout.splitlines()]
    if not events or events[-1].get("event") != "dump":
        fail("the window was not closed as the user closes it (no last dump): " + done.stdout[-400:])
    print("ok")


if __name__ == "__main__":
    main()
