#!/usr/bin/env python3
"""Keeps the layers' dependencies pointing down: each unit of the contract headers, the platform
libraries, the plug-in and the settings tables includes only headers of its own layer and of the
layers below it.

  contract headers, one folder per library:
                    kol30/ -> kol30/
                    tbx/   -> kol30/ and tbx/
                    nuv10/ -> kol30/, tbx/ and nuv10/
                    all    -> otherwise only the standard library and fmt; never the umbrella
                              KolSystem.h, which is for hosts and the plug-in
  kol30 (Platform/Kol)           -> the kol30 contract and its own
  tbx (Platform/Toolkit)         -> the kol30 and tbx contract and its own; never Qt
  nuv10 (Platform/Host)          -> every contract header and its own
  tbxqt (Platform/ToolkitQt)     -> the kol30 and tbx contract, its own, and Qt
  the plug-in (NUV.ViewParts.TBX) -> every contract header and its own
  the settings tables (Settings)  -> the kol30 and tbx contract and their own

The build enforces the same (each library shows only its own contract folder to its dependants);
this check also names what was included and where it lives. A quoted include is looked up beside
the including file and then in the contract's folders; a header found nowhere there (a workbench
or test header, another layer's private header) is reported with where it lives. The platform
never includes the umbrella KolSystem.h: it names the part of KOL30 it uses."""
import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
QT_HEADER = re.compile(r"^(Q[A-Z]\w*|Qt\w*/.*|q\w+\.h)$")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp")

CONTRACT = "Framework/Source/ViewParts/HostContract"
CONTRACT_FOLDERS = ("kol30", "tbx", "nuv10")
PLATFORM = "Framework/Source/Platform"
PLUGIN = "Framework/Source/ViewParts/NUV.ViewParts.TBX"
SETTINGS = "Framework/Source/ViewParts/Settings"

EVERY_CONTRACT = {"contract:kol30", "contract:tbx", "contract:nuv10"}
# The layers a unit checked here may include, by where it lives.
ALLOWED = {
    "contract:kol30": {"contract:kol30"},
    "contract:tbx": {"contract:kol30", "contract:tbx"},
    "contract:nuv10": EVERY_CONTRACT,
    "kol30": {"contract:kol30", "kol30"},
    "tbx": {"contract:kol30", "contract:tbx", "tbx"},
    "nuv10": EVERY_CONTRACT | {"nuv10"},
    "tbxqt": {"contract:kol30", "contract:tbx", "tbxqt"},
    "plug-in": EVERY_CONTRACT | {"plug-in"},
    "settings": {"contract:kol30", "contract:tbx", "settings"},
}
PLATFORM_LAYERS = {"Kol": "kol30", "Toolkit": "tbx", "Host": "nuv10", "ToolkitQt": "tbxqt"}
UMBRELLA = "KolSystem.h"


def layer_of(root, path):
    """The layer a file belongs to, or None for files outside the checked layers."""
    rel = path.relative_to(root).as_posix()
    if rel.startswith(CONTRACT + "/"):
        parts = rel[len(CONTRACT) + 1 :].split("/")
        return "contract:" + parts[0] if len(parts) == 2 and parts[0] in CONTRACT_FOLDERS else "contract:?"
    if rel.startswith(PLATFORM + "/"):
        return PLATFORM_LAYERS.get(rel[len(PLATFORM) + 1 :].split("/")[0], "platform:?")
    if rel.startswith(PLUGIN + "/"):
        return "plug-in"
    if rel.startswith(SETTINGS + "/"):
        return "settings"
    return None


def describe(root, path):
    """Where a header outside the allowed layers lives, for the message."""
    rel = path.relative_to(root).as_posix()
    if "/Workbench/" in "/" + rel:
        return "a workbench header"
    if rel.startswith(("tests/", "bench/", "fuzz/")):
        return "a test header"
    layer = layer_of(root, path)
    return "a header of " + layer if layer else rel


def index_headers(root):
    """Every header of the tree by file name, to say where a header that is not allowed lives."""
    headers = {}
    for top in ("Framework", "tests", "bench", "fuzz"):
        for path in (root / top).rglob("*"):
            if path.suffix in (".h", ".hpp") and "node_modules" not in path.parts:
                headers.setdefault(path.name, path)
    return headers


def resolve(root, including, name, headers):
    for base in [including.parent] + [root / CONTRACT / folder for folder in CONTRACT_FOLDERS]:
        candidate = base / name
        if candidate.is_file():
            return candidate.resolve()
    return headers.get(pathlib.PurePosixPath(name).name)


def check_system_include(layer, name):
    """A problem with an angle-bracket include, or None."""
    if QT_HEADER.match(name) and layer != "tbxqt":
        return "includes the Qt header <%s>: only the native backend may" % name
    if layer.startswith("contract:") and not (name.startswith("fmt/") or "." not in name):
        return "includes <%s>: contract headers use only the standard library and fmt" % name
    return None


def check_file(root, path, headers):
    layer = layer_of(root, path)
    problems = []
    if layer == "contract:?":
        problems.append("%s (%s) lies in no library's folder of the contract, where no target sees it"
                        % (path.relative_to(root).as_posix(), layer))
    text = path.read_text(encoding="utf-8")
    for kind, name in INCLUDE.findall(text):
        if kind == "<":
            problem = check_system_include(layer, name)
        elif pathlib.PurePosixPath(name).name == UMBRELLA and layer != "plug-in":
            problem = 'includes the umbrella "%s": name the KOL30 header that is used' % name
        else:
            target = resolve(root, path, name, headers)
            if target is None:
                problem = 'includes "%s", which is no header of the tree' % name
            else:
                target_layer = layer_of(root, target)
                problem = None
                if target_layer not in ALLOWED.get(layer, set()):
                    problem = 'includes "%s", %s' % (name, describe(root, target))
        if problem:
            problems.append("%s (%s) %s" % (path.relative_to(root).as_posix(), layer, problem))
    return problems


def checked_files(root):
    for top in (CONTRACT, PLATFORM, PLUGIN, SETTINGS):
        directory = root / top
        if directory.is_dir():
            for path in sorted(directory.rglob("*")):
                if path.suffix in SOURCE_SUFFIXES and "node_modules" not in path.parts:
                    yield path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True, type=pathlib.Path, help="the source tree")
    parser.add_argument("--expect", type=pathlib.Path, help="the problems a fixture tree must show, one a line")
    args = parser.parse_args()
    root = args.root.resolve()
    headers = index_headers(root)
    files = list(checked_files(root))
    problems = [p for path in files for p in check_file(root, path, headers)]
    if not files:
        problems.append("no units found under %s" % root)
    for problem in problems:
        print(problem)
    print("%d units checked, %d problems" % (len(files), len(problems)))
    if args.expect:
        expected = [line for line in args.expect.read_text(encoding="utf-8").splitlines() if line]
        for line in sorted(set(expected) - set(problems)):
            print("not reported: " + line)
        return 0 if sorted(expected) == sorted(problems) else 1
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
