#!/usr/bin/env python3
"""Turns the benchmark results into the data files that performance.gp and instructions.gp plot.

usage: plot_data.py RESULTS_DIR
  From the timed run (Google Benchmark JSON: compose.json, native.json, toolbar.json): compose.dat,
  native.dat and merge.dat, times per view part in microseconds, merge times in milliseconds.
  From the counted run, when there is one (compose, toolbar and load .instructions.json, as
  ./dev bench --instructions writes them): instructions.dat, instructions per part against N, one
  block per family of benchmarks, headed by the family's title.
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


# The families of the instruction plot: (file, benchmark, title). A family's figure is instructions
# per iteration; an iteration composes, tears down, places or loads N parts.
FAMILIES = [
    ("compose", "compose", "compose"),
    ("compose", "teardown", "teardown"),
    ("toolbar", "place_toolbar", "place N children in a toolbar"),
    ("toolbar", "place_status", "place N children in status panels"),
    ("load", "load_toolbar_children", "load N toolbar children"),
    ("load", "load_multidock_children", "load N multi-dock children"),
    ("load", "load_radio_group", "load a radio group of N"),
    ("load", "load_workitems", "load N work items"),
    ("load", "load_panels", "load N status panels"),
]


def instructions_per_part(results):
    """[(title, [(N, instructions per part)])] for every family the counted run has, sizes in order."""
    counted = {}
    for path in sorted(results.glob("*.instructions.json")):
        counted[path.name.split(".")[0]] = json.loads(path.read_text())
    families = []
    for file, benchmark, title in FAMILIES:
        points = []
        for name, figure in counted.get(file, {}).items():
            parts = name.replace("/manual_time", "").split("/")
            if parts[0] == benchmark and len(parts) == 2 and int(parts[1]) > 0:
                points.append((int(parts[1]), figure / int(parts[1])))
        if points:
            families.append((title, sorted(points)))
    return families


def write_instructions(results):
    """instructions.dat from the counted run; False when there is none to plot."""
    families = instructions_per_part(results)
    if not families:
        return False
    # Blocks two blank lines apart (gnuplot's index), each headed by its title (columnheader).
    blocks = ["".join([f'"{title}"\n'] + [f"{n} {per_part:.1f}\n" for n, per_part in points])
              for title, points in families]
    (results / "instructions.dat").write_text("\n\n".join(blocks))
    return True


def main(results):
    write_instructions(results)
    if not (results / "compose.json").exists():  # a counted run alone
        return
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
