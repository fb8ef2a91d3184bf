#!/usr/bin/env python3
"""Validates application files against docs/nuv-workbench.xsd with xmllint (Debian libxml2-utils):
every example, and every minimal application of docs/viewparts.md, must be valid; each file given
with --invalid must be refused, so that the schema is not looser than the readers."""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile


def validate(xmllint, schema, path):
    result = subprocess.run([xmllint, "--noout", "--schema", str(schema), str(path)], capture_output=True, text=True)
    return result.returncode == 0, result.stderr.strip()


def minimal_applications(reference):
    return re.findall(r"A minimal application:\n\n```xml\n(.*?)```", reference.read_text(), re.S)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--schema", required=True, type=pathlib.Path)
    parser.add_argument("--reference", required=True, type=pathlib.Path)
    parser.add_argument("--invalid", action="append", default=[], type=pathlib.Path)
    parser.add_argument("files", nargs="+", type=pathlib.Path)
    args = parser.parse_args()
    xmllint = shutil.which("xmllint")
    if not xmllint:
        print("xmllint is missing: apt-get install libxml2-utils (./dev installs it)")
        return 1
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        files = list(args.files)
        apps = minimal_applications(args.reference)
        if len(apps) != 9:
            problems.append(f"{args.reference}: {len(apps)} minimal applications; expected 9")
        for i, text in enumerate(apps):
            path = pathlib.Path(tmp) / f"minimal-{i + 1}.xml"
            path.write_text(text)
            files.append(path)
        for path in files:
            ok, message = validate(xmllint, args.schema, path)
            if not ok:
                problems.append(f"{path}: not valid: {message}")
    for path in args.invalid:
        ok, _ = validate(xmllint, args.schema, path)
        if ok:
            problems.append(f"{path}: valid, but the readers do not read all of it")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
