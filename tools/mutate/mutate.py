#!/usr/bin/env python3
"""./dev mutate: a mutation run over the plug-in, or over the units and line ranges given.

Each mutant is built in a build directory of its own (build/mutate: the preset's flags, the
plug-in's units at -O1 without debug information), the tests that cover its unit run cheapest
first with timeouts, and it is reported killed, survived, timed out, equivalent (by a reason in
equivalent.txt) or stillborn (it does not compile). The report lists every survivor.
"""

import argparse
import collections
import json
import os
import shutil
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from mutants import MutantsOf  # noqa: E402
from run import (EQUIVALENT, KILLED, STILLBORN, SURVIVED, TIMED_OUT, Command, Interrupted, Runner,  # noqa: E402
                 SignalsInterrupt, Stage)
from schema import Schema  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
PLUGIN = "Framework/Source/ViewParts/NUV.ViewParts.TBX"
EQUIVALENTS = Path(__file__).resolve().parent / "equivalent.txt"
# The lifecycle run is cut to what finds a broken invariant within seconds.
LIFECYCLE_ENV = {"NUV_LIFECYCLE_SEEDS": "3", "NUV_LIFECYCLE_STEPS": "3000"}


# The native window's tests run without a display.
NATIVE_ENV = {"QT_QPA_PLATFORM": "offscreen"}


def Tests(build_dir, *names):
    return [Command(name, [str(build_dir / "bin" / name), "--gtest_fail_fast", "--gtest_brief=1"],
                    LIFECYCLE_ENV if name == "test_lifecycle" else NATIVE_ENV if name == "test_native" else {})
            for name in names]


def PluginStages(build_dir, first):
    """The suites that drive the unit's layer first, then everything above it that loads the
    plug-in: the lifecycle walk, the module and the runner."""
    later = ["test_viewparts", "test_lifecycle", "test_module", "test_workbench"]
    later = [name for name in later if name not in first]
    return [Stage(first, Tests(build_dir, *first)),
            Stage(later + ["NUV.ViewParts.TBX", "nuv-workbench", "nuv_test_module"], Tests(build_dir, *later))]


# Every suite that covers a layer, cheapest first: a toolkit unit is also seen by the native
# window's tests, where a repaint, a hit test or a peer's geometry shows.
LAYER_SUITES = [("Framework/Source/Platform/Kol/", ["test_kol"]),
                ("Framework/Source/Platform/Toolkit/", ["test_toolkit", "test_native"]),
                ("Framework/Source/Platform/ToolkitQt/", ["test_native"]),
                ("Framework/Source/Platform/Host/", ["test_host", "test_native"]),
                ("Framework/Source/Workbench/", ["test_workbench", "test_native"]),
                (PLUGIN + "/", ["test_viewparts", "test_native"]),
                ("Framework/Source/ViewParts/Settings/", ["test_viewparts"])]


def StagesFor(path, build_dir, cache):
    """The stages for a unit, by its layer; one list per layer, so that timeouts are measured once."""
    for prefix, first in LAYER_SUITES:
        if path.startswith(prefix):
            if prefix not in cache:
                cache[prefix] = PluginStages(build_dir, first)
            return cache[prefix]
    raise SystemExit(f"mutate: no tests are known for {path}")


def Targets(arguments):
    """(path, line range or None) for each argument: a file, a directory (its .cpp files) or
    FILE:FIRST-LAST."""
    found = []
    for argument in arguments or [PLUGIN]:
        text, lines = argument, None
        if ":" in argument:
            text, span = argument.rsplit(":", 1)
            first, _, last = span.partition("-")
            lines = (int(first), int(last or first))
        path = (ROOT / text).resolve()
        if path.is_dir():
            found += [(p, None) for p in sorted(path.glob("*.cpp"))]
        elif path.is_file():
            found.append((path, lines))
        else:
            raise SystemExit(f"mutate: {argument} is no file or directory of the project")
    return [(str(p.relative_to(ROOT)), lines) for p, lines in found]


def ReadEquivalents(path):
    """{(file, line text, change): reason}. Blocks separated by blank lines:
    FILE: LINE TEXT / change / why: REASON; FILE may be relative to Framework/Source/."""
    entries = {}
    if not path.exists():
        return entries
    blocks = [b for b in path.read_text().split("\n\n") if b.strip()]
    for block in blocks:
        lines = [line for line in block.splitlines() if not line.startswith("#")]
        if not lines:
            continue
        if len(lines) != 3 or not lines[2].strip().startswith("why:"):
            raise SystemExit(f"mutate: {path}: an entry is 'FILE: LINE', the change, 'why: REASON':\n{block}")
        file, _, text = lines[0].partition(": ")
        entries[(file.strip(), text.strip(), lines[1].strip())] = lines[2].strip()[4:].strip()
    return entries


def MarkEquivalents(mutants, entries):
    used = set()
    for mutant in mutants:
        for key, reason in entries.items():
            file, text, change = key
            if mutant.path.endswith(file) and mutant.line_text == text and mutant.change() == change:
                mutant.status, mutant.reason = EQUIVALENT, reason
                used.add(key)
    return [key for key in entries if key not in used]


def Configure(build_dir):
    if (build_dir / "CMakeCache.txt").exists():
        return
    command = ["cmake", "-S", str(ROOT), "-B", str(build_dir), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               "-DNUV_PLUGIN_COMPILE_OPTIONS=-O0;-g0;-Wno-error"]
    if shutil.which("ccache"):  # a restored unit is then a cache hit
        command.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if os.system(" ".join(f"'{c}'" for c in command) + " >/dev/null") != 0:
        raise SystemExit("mutate: cmake failed")


def Summary(mutants):
    """Per file: counts of each status, and the detection rate of the non-equivalent ones that
    compiled."""
    per_file = collections.defaultdict(collections.Counter)
    for mutant in mutants:
        per_file[mutant.path][mutant.status] += 1
    rows = []
    total = collections.Counter()
    for path in sorted(per_file):
        rows.append((Path(path).name, per_file[path]))
        total.update(per_file[path])
    rows.append(("all", total))
    return rows


def Rate(counts):
    judged = counts[KILLED] + counts[SURVIVED] + counts[TIMED_OUT]
    return 100.0 * (counts[KILLED] + counts[TIMED_OUT]) / judged if judged else 100.0


def Report(mutants, seconds, loads, stale, out):
    lines = ["| unit | made | killed | timed out | survived | equivalent | stillborn | killed % |",
             "|---|---:|---:|---:|---:|---:|---:|---:|"]
    for name, c in Summary(mutants):
        made = sum(c.values())
        lines.append(f"| {name} | {made} | {c[KILLED]} | {c[TIMED_OUT]} | {c[SURVIVED]} | {c[EQUIVALENT]} "
                     f"| {c[STILLBORN]} | {Rate(c):.1f} |")
    lines.append("")
    lines.append(f"Duration {seconds / 60:.1f} min; load average {loads[0]:.2f} at the start, {loads[1]:.2f} at the end "
                 f"({os.cpu_count()} cores).")
    survivors = [m for m in mutants if m.status == SURVIVED]
    lines.append("")
    lines.append(f"Survivors ({len(survivors)}):" if survivors else "No survivors.")
    lines += [f"- {m.path}:{m.line}: {m.change()}  in `{m.line_text}`" for m in survivors]
    timed_out = [m for m in mutants if m.status == TIMED_OUT]
    if timed_out:
        lines.append("")
        lines.append("Timed out (a hang that the timeout of the named suite ended):")
        lines += [f"- {m.path}:{m.line}: {m.change()} ({m.detail})" for m in timed_out]
    if stale:
        lines.append("")
        lines.append("Equivalence entries that match no mutant any more:")
        lines += [f"- {file}: {text} / {change}" for file, text, change in stale]
    text = "\n".join(lines) + "\n"
    out.mkdir(parents=True, exist_ok=True)
    (out / "report.md").write_text(text)
    (out / "report.json").write_text(json.dumps([
        {"file": m.path, "line": m.line, "change": m.change(), "text": m.line_text, "status": m.status,
         "detail": m.detail or m.reason, "seconds": round(m.seconds, 1)} for m in mutants], indent=1))
    return text


def BuildSchemata(runner, mutants, cache):
    """Numbers the mutants and builds every unit's schema at once; a unit whose schema cannot be
    made or does not compile has its mutants built one by one instead. False when no unit is
    switched."""
    pending = [m for m in mutants if m.status != EQUIVALENT]
    for number, mutant in enumerate(pending, 1):
        mutant.number = number
    targets = sorted({t for layer in cache.values() for stage in layer for t in stage.targets})
    while True:
        schemata = {}
        for path in sorted({m.path for m in pending if m.number}):
            original = (ROOT / path).read_text()
            try:
                schemata[ROOT / path] = (original, Schema(original, [(m.number, m) for m in pending if m.path == path]))
            except ValueError as e:
                print(f"mutate: {path}: no schema ({e}); its mutants are built one by one")
                Unswitch(pending, path)
        if not schemata:
            return False
        print(f"mutate: building the schemata of {len(schemata)} units")
        failed = runner.BuildSchemata(schemata, targets)
        if not failed:
            return True
        for path in failed:
            print(f"mutate: {Path(path).relative_to(ROOT)}: the schema does not compile; its mutants are built one by one")
            Unswitch(pending, str(Path(path).relative_to(ROOT)))


def Unswitch(mutants, path):
    for mutant in mutants:
        if mutant.path == path:
            mutant.number = 0


def main(argv=None):
    parser = argparse.ArgumentParser(prog="./dev mutate", description=__doc__.split("\n\n")[0])
    parser.add_argument("targets", nargs="*", help="FILE, DIRECTORY or FILE:FIRST-LAST (default: the plug-in)")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--only", action="append", default=[], metavar="FILE:LINE",
                        help="run only the mutants on that line (repeatable)")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build" / "mutate")
    parser.add_argument("--rebuild-each", action="store_true",
                        help="build every mutant on its own instead of all at once behind switches")
    parser.add_argument("--equivalents", type=Path, default=EQUIVALENTS)
    args = parser.parse_args(argv)

    mutants = []
    for path, lines in Targets(args.targets):
        mutants += MutantsOf(path, (ROOT / path).read_text(), lines)
    if args.only:
        mutants = [m for m in mutants if any(f"{m.path}:{m.line}".endswith(only) for only in args.only)]
    stale = MarkEquivalents(mutants, ReadEquivalents(args.equivalents))
    if args.only or args.targets:
        stale = []  # entries of the units and lines not run are not stale
    if args.list:
        for m in mutants:
            print(f"{m.path}:{m.line}: {m.change()}  {m.status or ''}  in `{m.line_text}`")
        print(f"{len(mutants)} mutants")
        return 0

    start, load_start = time.monotonic(), os.getloadavg()[0]
    build_dir = args.build_dir.resolve()
    Configure(build_dir)
    runner = Runner(ROOT, build_dir, lambda targets, keep_going: ["ninja", "-C", str(build_dir), "-j2"]
                    + (["-k0"] if keep_going else []) + list(targets))
    cache = {}
    stages = {m.path: StagesFor(m.path, build_dir, cache) for m in mutants}
    print(f"mutate: {len(mutants)} mutants, {sum(m.status == EQUIVALENT for m in mutants)} known equivalent")
    try:
        with SignalsInterrupt():
            restored = runner.guard.RestoreLeftovers()
            if restored:
                print(f"mutate: {', '.join(restored)} had been left mutated by a run that was killed; restored")
            schema_built = not args.rebuild_each and BuildSchemata(runner, mutants, cache)
            for layer_stages in cache.values():
                runner.Baseline(layer_stages, build=not schema_built)
            runner.RunAll(mutants, lambda m: stages[m.path])
    except (KeyboardInterrupt, Interrupted):
        print("mutate: interrupted; the source is as it was")
        return 130
    text = Report(mutants, time.monotonic() - start, (load_start, os.getloadavg()[0]), stale, build_dir)
    print(text + f"(also in {build_dir}/report.md and report.json)")
    return 1 if any(m.status == SURVIVED for m in mutants) else 0


if __name__ == "__main__":
    sys.exit(main())
