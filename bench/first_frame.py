#!/usr/bin/env python3
"""The native first frame, whole process: nuv-workbench --window --close-after-first-frame on an
application file, side by side with a plain Qt program that loads the equivalent window from a .ui
file with QUiLoader and shows it (uiloader-window), both on a private Xvfb display that this
script starts and ends. Each program prints the moment its window's first frame is painted on the
monotonic clock; a run's figure is the time from just before the process is started to that
moment. The runs alternate (workbench, loader, then loader, workbench, ...) after one warm-up run
of each, so that the machine's moods fall on both. Prints the median of each, its coefficient of
variation, their ratio against the target (the workbench at most 1.0x the loader), and the
runner's own phase times (NUV_WORKBENCH_TIMINGS) up to its first frame. With --instructions, each
program also runs once under callgrind, and the instructions each executed up to its first frame
(callgrind dumps its counts when the frame is reported: FirstFrameLine) are set side by side.

usage: first_frame.py WORKBENCH APPFILE UILOADER UIFILE [--runs N] [--instructions]   (default 7 runs)
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
TARGET = 1.0
TIMEOUT = 120
FRAME = re.compile(r"first frame painted at (\d+) ns")
# The runner's phases up to its first frame, in order; what comes after (closing, finishing) is
# no part of the figure.
PHASES = ["start", "file", "qt", "module", "compose", "run", "peers", "frame"]


class Failure(Exception):
    """A program that did not run as it must: the message names it and says why."""


def frame_stamp(name, stderr):
    """The monotonic nanoseconds of the first frame that the program printed to stderr."""
    found = FRAME.search(stderr)
    if not found:
        raise Failure(f"{name} printed no first frame: {stderr.strip()[-400:]}")
    return int(found.group(1))


def phase_times(stderr):
    """The runner's phases, {name: milliseconds}, from its timings line; {} without one."""
    line = next((l for l in stderr.splitlines() if "timings:" in l), None)
    return {} if line is None else {name: float(ms) for name, ms in re.findall(r"(\w+) ([0-9.]+) ms", line)}


def one_run(name, command, env):
    """The first frame of one run in milliseconds from just before the start, and the runner's phases."""
    start = time.monotonic_ns()
    try:
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure(f"{name} did not end within {TIMEOUT} s")
    if done.returncode != 0:
        raise Failure(f"{name} failed ({done.returncode}): {done.stderr.strip()[-400:]}")
    return (frame_stamp(name, done.stderr) - start) / 1e6, phase_times(done.stderr)


def cv(values):
    mean = statistics.mean(values)
    return statistics.stdev(values) / mean if len(values) > 1 and mean else None


def cv_text(spread):
    if spread is None:
        return "-"
    return f"{spread * 100:.1f} %" + (" (unstable)" if spread > UNSTABLE_CV else "")


def verdict(ratio, spreads):
    """yes, NO, or unstable when either figure's runs varied more than UNSTABLE_CV."""
    if any(s is not None and s > UNSTABLE_CV for s in spreads):
        return "unstable"
    return "yes" if ratio <= TARGET else "NO"


def summary(workbench_ms, loader_ms, phases, runs):
    """The report, as lines: both medians with cv, the ratio against the target, the runner's phases."""
    wb, ui = statistics.median(workbench_ms), statistics.median(loader_ms)
    wb_cv, ui_cv = cv(workbench_ms), cv(loader_ms)
    ratio = wb / ui
    lines = [f"first frame under Xvfb, whole process ({runs} runs each, interleaved; medians)", "",
             "| program | first frame | cv |", "|---|---|---|",
             f"| nuv-workbench --window | {wb:.1f} ms | {cv_text(wb_cv)} |",
             f"| QUiLoader (uiloader-window) | {ui:.1f} ms | {cv_text(ui_cv)} |", "",
             f"ratio: {ratio:.2f}x (target: at most {TARGET:.1f}x): {verdict(ratio, [wb_cv, ui_cv])}"]
    if phases:
        lines += ["", "where the workbench's first frame goes (NUV_WORKBENCH_TIMINGS; process: exec and "
                  "linking, before the runner's static initialization)", "",
                  "| phase | median | share | cv |", "|---|---|---|---|"]
        rows = {"process": [total - sum(p.get(n, 0) for n in PHASES) for total, p in zip(workbench_ms, phases)]}
        rows.update({n: [p[n] for p in phases if n in p] for n in PHASES})
        for name, values in rows.items():
            if values:
                median = statistics.median(values)
                lines.append(f"| {name} | {median:.2f} ms | {median / wb * 100:.0f} % | {cv_text(cv(values))} |")
    return lines


def start_display():
    """Xvfb on the first free display; it writes the display number it took to a pipe."""
    read_end, write_end = os.pipe()
    try:
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    except OSError as error:
        raise Failure(f"Xvfb cannot be started ({error}; Debian: xvfb)")
    finally:
        os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        server.wait()
        raise Failure("Xvfb did not start")
    return server, ":" + number


def stop_display(server):
    server.terminate()
    try:
        server.wait(timeout=10)
    except subprocess.TimeoutExpired:
        server.kill()
        server.wait()


def dumped_instructions(path):
    """The instructions of a callgrind dump: its totals (or summary) line."""
    with open(path) as dump:
        for line in dump:
            if line.startswith(("totals:", "summary:")):
                return int(line.split()[1])
    raise Failure(f"{path}: no totals in the callgrind dump")


def instructions_by_object(path):
    """The self instructions of each object (the program and each library) in a callgrind dump,
    {file name: count}: where a program's first frame goes, library by library. A cost line right
    after calls= is the call's inclusive cost, which belongs to the callee and is left out."""
    names, counts, current, call_cost = {}, {}, None, False
    with open(path) as dump:
        for line in dump:
            if line.startswith(("ob=", "cob=")):
                key, _, value = line.rstrip("\n").partition("=")
                ident, _, name = value.partition(" ") if value.startswith("(") else ("", "", value)
                if name:
                    names[ident] = os.path.basename(name)
                if key == "ob":
                    current = names.get(ident, ident) if ident else os.path.basename(name)
            elif line.startswith("calls="):
                call_cost = True
            elif line[:1].isdigit() or line[:1] in "+-*":
                fields = line.split()
                if not call_cost and len(fields) > 1 and current:
                    counts[current] = counts.get(current, 0) + int(fields[1])
                call_cost = False
    return counts


def counted_run(name, command, env, scratch):
    """The instructions the program executed up to its first frame, counted by callgrind."""
    out = os.path.join(scratch, name + ".callgrind")
    done = subprocess.run(["valgrind", "--tool=callgrind", "--dump-before=FirstFrameLine*",
                           f"--callgrind-out-file={out}", *command], env=env, capture_output=True, text=True,
                          timeout=TIMEOUT * 5)
    if done.returncode != 0 or not os.path.exists(out + ".1"):
        raise Failure(f"{name} under callgrind reached no first frame ({done.returncode}): "
                      f"{done.stderr.strip()[-400:]}")
    return dumped_instructions(out + ".1"), instructions_by_object(out + ".1")


def instruction_lines(workbench, loader, largest=6):
    """Both totals and the verdict, then where they differ most, object by object: the reason a
    miss has, or what a met target still spends beside the loader."""
    (total, objects), (loader_total, loader_objects) = workbench, loader
    lines = ["", "instructions up to the first frame (callgrind, one run each)", "",
             f"nuv-workbench {total / 1e6:.1f} M, QUiLoader {loader_total / 1e6:.1f} M: "
             f"ratio {total / loader_total:.2f}x (target: at most {TARGET:.1f}x): "
             + ("yes" if total <= TARGET * loader_total else "NO"), "",
             f"where they differ most (self instructions by object, the {largest} largest differences)", "",
             "| object | nuv-workbench | QUiLoader | difference |", "|---|---|---|---|"]
    names = set(objects) | set(loader_objects)
    differences = sorted(names, key=lambda n: -abs(objects.get(n, 0) - loader_objects.get(n, 0)))
    for name in differences[:largest]:
        ours, theirs = objects.get(name, 0), loader_objects.get(name, 0)
        lines.append(f"| {name} | {ours / 1e6:.1f} M | {theirs / 1e6:.1f} M | {(ours - theirs) / 1e6:+.1f} M |")
    return lines


def measure(args):
    server, display = start_display()
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", NUV_WORKBENCH_TIMINGS="1")
        env.pop("WAYLAND_DISPLAY", None)
        programs = {"nuv-workbench": [args.workbench, "--window", "--close-after-first-frame", args.appfile],
                    "uiloader-window": [args.uiloader, args.uifile]}
        for name, command in programs.items():  # warm-up: the first start reads everything from disk
            one_run(name, command, env)
        figures = {name: [] for name in programs}
        phases = []
        for i in range(args.runs):
            for name in (list(programs) if i % 2 == 0 else list(reversed(programs))):
                ms, timed = one_run(name, programs[name], env)
                figures[name].append(ms)
                if name == "nuv-workbench":
                    phases.append(timed)
        counts = None
        if args.instructions:
            with tempfile.TemporaryDirectory() as scratch:
                counts = [counted_run(name, command, env, scratch) for name, command in programs.items()]
        return figures["nuv-workbench"], figures["uiloader-window"], phases, counts
    finally:
        stop_display(server)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("workbench")
    parser.add_argument("appfile")
    parser.add_argument("uiloader")
    parser.add_argument("uifile")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--instructions", action="store_true", help="also count instructions under callgrind")
    args = parser.parse_args()
    if args.runs < 1:
        parser.error("--runs: at least 1")
    try:
        workbench_ms, loader_ms, phases, counts = measure(args)
    except Failure as failure:
        sys.exit(f"first_frame: {failure}")
    lines = summary(workbench_ms, loader_ms, phases, args.runs)
    print("\n" + "\n".join(lines + (instruction_lines(*counts) if counts else [])))


if __name__ == "__main__":
    main()
