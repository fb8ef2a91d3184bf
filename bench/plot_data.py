#!/usr/bin/env python3
"""Turns the benchmark results (Google Benchmark JSON) into the data files that performance.gp plots.

usage: plot_data.py RESULTS_DIR   (reads compose.json, native.json and toolbar.json; writes compose.dat,
native.dat and merge.dat, times per view part in microseconds, merge times in milliseconds)
"""
import json
import sys
from pathlib import Path


def runs(path):
    """(name parts, milliseconds) per benchmark: CPU time, or the manual time of manually timed
    ones, as the summary tables take them; the median of repetitions when there are any."""
    chosen = {}
    for run in json.loads(path.read_text())["benchmarks"]:
        aggregate = run.get("run_type") == "aggregate"
        if run.get("error_occurred") or (aggregate and run.get("aggregate_name") != "median"):
            continue
        name = run["run_name"]
        if aggregate or name not in chosen:
            chosen[name] = to_ms(run, "real_time" if name.endswith("/manual_time") else "cpu_time")
    for name, ms in chosen.items():
        yield name.replace("/manual_time", "").split("/"), ms


def to_ms(run, field):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run[field] * scale


def per_part_us(table, name, n):
    ms = table.get(name)
    return "NaN" if ms is None else f"{ms * 1000.0 / n:.4f}"


def main(results):
    compose, native, merge = {}, {}, {}
    for parts, ms in runs(results / "compose.json"):
        if parts[0] in ("compose", "compose_floor", "teardown"):
            compose.setdefault(int(parts[1]), {})[parts[0]] = ms
    if (results / "native.json").exists():
        for parts, ms in runs(results / "native.json"):
            if parts[0] in ("native_compose", "uiloader"):
                native.setdefault(int(parts[1]), {})[parts[0]] = ms
    for parts, ms in runs(results / "toolbar.json"):
        if parts[0] == "merge" and parts[1] == parts[2]:  # n = m: the diagonal
            merge[int(parts[1])] = ms
    with open(results / "compose.dat", "w") as out:
        out.write("# N compose_us floor_us teardown_us (per view part)\n")
        for n in sorted(compose):
            row = [per_part_us(compose[n], name, n) for name in ("compose", "compose_floor", "teardown")]
            out.write(f"{n} {' '.join(row)}\n")
    with open(results / "native.dat", "w") as out:
        out.write("# N native_compose_us uiloader_us (per widget)\n")
        for n in sorted(native):
            out.write(f"{n} {per_part_us(native[n], 'native_compose', n)} {per_part_us(native[n], 'uiloader', n)}\n")
    with open(results / "merge.dat", "w") as out:
        out.write("# n=m merge_ms\n")
        for n in sorted(merge):
            out.write(f"{n} {merge[n]}\n")


if __name__ == "__main__":
    main(Path(sys.argv[1]))
