#!/usr/bin/env python3
"""Keeps docs/errors.md true: every test it names is registered in CTest, every entry names a
test (or says why no input can reach it), and every source unit that raises appears in it."""
import argparse
import pathlib
import re
import subprocess
import sys

# What marks a unit as one that raises: a throw, the view-part error, an assertion.
RAISING = re.compile(r"\bthrow\s+(?!new\b)[A-Za-z\"]|NUVViewPartErrorFmt\(\s*[a-z&]|NUV_ASSERT\(|RaiseUnknownKey\(|RaiseUnexpected\(")
TEST_NAME = re.compile(r"`([A-Za-z_][A-Za-z0-9_]*\.[A-Za-z_][A-Za-z0-9_]*)`")


def registered_tests(build_dir, ctest):
    """Test names as Suite.Name: parameter prefixes ("Faults/") and suffixes ("/0") dropped."""
    listing = subprocess.run([ctest, "-N"], cwd=build_dir, capture_output=True, text=True, check=True).stdout
    names = set()
    for match in re.finditer(r"Test\s+#\d+:\s+(\S+)", listing):
        suite, _, name = match.group(1).partition(".")
        names.add(suite.split("/")[-1] + "." + name.split("/")[0])
    return names


def catalogue_rows(text):
    """The body rows of every table: (line number, cells)."""
    rows = []
    for number, line in enumerate(text.splitlines(), 1):
        if not line.startswith("|") or re.match(r"^\|[\s:|-]+\|?$", line):
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if cells and cells[0] in ("Class", "Status"):  # header rows
            continue
        rows.append((number, cells))
    return rows


def raising_units(source_dir):
    units = set()
    for path in source_dir.rglob("*"):
        if path.suffix in (".cpp", ".h") and RAISING.search(path.read_text(encoding="utf-8")):
            units.add(path.stem)
    return units


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--catalogue", required=True, type=pathlib.Path)
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("--build", required=True)
    parser.add_argument("--ctest", default="ctest")
    args = parser.parse_args()

    text = args.catalogue.read_text(encoding="utf-8")
    known = registered_tests(args.build, args.ctest)
    problems = []
    rows = catalogue_rows(text)
    if not rows:
        problems.append("no entries found")
    for number, cells in rows:
        tests = TEST_NAME.findall(cells[-1])
        if not tests and "unreachable" not in cells[-1].lower():
            problems.append(f"line {number}: the entry names no test and does not say why it is unreachable")
        problems += [f"line {number}: no test {t} is registered" for t in tests if t not in known]
    units_named = set(re.findall(r"`?([A-Za-z][\w.]*)`?", text))
    problems += [f"unit {u} raises errors but the catalogue does not name it"
                 for u in sorted(raising_units(args.source)) if u not in units_named]
    for problem in problems:
        print(f"{args.catalogue}: {problem}", file=sys.stderr)
    print(f"{len(rows)} entries checked against {len(known)} registered tests")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
