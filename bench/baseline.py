#!/usr/bin/env python3
"""The instruction guard: the instructions per iteration of a counted run (the --instructions_out
files of the benchmarks, one per executable) against the committed baseline, or the baseline
written again from them.

usage: baseline.py check BASELINE RESULT.json...    exit status 1 when a figure grew more than
                                                    3 % (and more than 16 instructions) or is
                                                    missing on either side
       baseline.py update BASELINE RESULT.json...

The executable is the result file's name without .json (compose.json: bench_compose). Several
runs of one executable (files of the same name in several directories) are merged: check takes
each figure's lowest count, since a count can jump in one run (what an allocation costs follows
the state the heap was left in) while a change that costs more shows in every run; update takes
their median.
"""
import json
import statistics
import sys
from pathlib import Path

TOLERANCE = 0.03
# A figure of a hundred or two (a floor: one map look-up) moves by a probe or two with where the heap
# put the nodes, which follows the process's own paths and environment: a change must also exceed
# this many instructions to count.
SLACK = 16


def load_results(paths, merge):
    """{executable: {benchmark: instructions}} from the result files, the figures of several runs
    of one executable merged by merge."""
    runs = {}
    for path in paths:
        for name, figure in json.loads(Path(path).read_text()).items():
            runs.setdefault(Path(path).stem, {}).setdefault(name, []).append(figure)
    return {executable: {name: round(merge(figures)) for name, figures in figures_by_name.items()}
            for executable, figures_by_name in runs.items()}


def compare(baseline, results, tolerance=TOLERANCE, slack=SLACK):
    """(lines, failed): one line per figure, set against its baseline."""
    lines, failed = [], False
    for executable in sorted(set(baseline) | set(results)):
        old, new = baseline.get(executable, {}), results.get(executable, {})
        for name in sorted(set(old) | set(new)):
            where = f"bench_{executable} {name}"
            if name not in old:
                lines.append(f"MISSING {where}: {new[name]} instructions, not in the baseline")
                failed = True
            elif name not in new:
                lines.append(f"MISSING {where}: in the baseline ({old[name]} instructions), not measured")
                failed = True
            else:
                change = new[name] / old[name] - 1 if old[name] else float(new[name] != 0)
                figures = f"{new[name]} instructions against {old[name]} ({change:+.1%})"
                if new[name] > old[name] * (1 + tolerance) and new[name] - old[name] > slack:
                    lines.append(f"SLOWER  {where}: {figures}")
                    failed = True
                elif new[name] < old[name] * (1 - tolerance) and old[name] - new[name] > slack:
                    lines.append(f"faster  {where}: {figures}; if meant, update the baseline")
                else:
                    lines.append(f"ok      {where}: {figures}")
    return lines, failed


def main(argv):
    if len(argv) < 4 or argv[1] not in ("check", "update"):
        print(__doc__, file=sys.stderr)
        return 2
    baseline_path = Path(argv[2])
    results = load_results(argv[3:], statistics.median if argv[1] == "update" else min)
    if argv[1] == "update":
        baseline_path.write_text(json.dumps(results, indent=2, sort_keys=True) + "\n")
        print(f"{baseline_path}: {sum(len(figures) for figures in results.values())} figures written")
        return 0
    baseline = json.loads(baseline_path.read_text()) if baseline_path.exists() else {}
    lines, failed = compare(baseline, results)
    print("\n".join(lines))
    if failed:
        print(f"the instruction counts differ from {baseline_path} by more than {TOLERANCE:.0%} (see SLOWER and "
              "MISSING above); when a change is meant to cost more, run ./dev bench --update-baseline and say "
              "why in the commit")
    elif any(line.startswith("faster") for line in lines):
        print("some figures dropped: run ./dev bench --update-baseline to keep the gain")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
