#!/usr/bin/env python3
"""Builds the seed corpora of the fuzz targets from the examples, the tests' data files and their
inline XML.

usage: fuzz/seeds.py OUTDIR   (writes OUTDIR/<target>/<name> files; OUTDIR is emptied first)
"""
import hashlib
import re
import shutil
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# The fuzz targets' own orders (FuzzViewParts.cpp KFactories, FuzzScript.cpp KApplications).
FACTORIES = ["CreateToolbarDockViewPart", "CreateDockablePanelViewPart", "CreateMultiDockPanelViewPart",
             "CreateToolbarViewPart", "CreateStatusBarViewPart", "CreateLabelViewPart", "CreateLinkViewPart",
             "CreateRadioButtonViewPart", "CreateCheckBoxViewPart"]
APPLICATIONS = ["label", "buttons", "docks", "multidock", "panels", "showcase", "statusbar", "toolbars"]
# Operation records (kind, target, other, value) of FuzzViewParts.cpp: show the child (1) in the
# work space (0), run, click, write a key, click an item, activate, stop, hide, close.
LIFE = [(0, 1, 0, 0), (4, 0, 0, 0), (6, 1, 1, 0), (9, 0, 0, 3), (9, 0, 1, 2), (12, 0, 0, 1), (12, 1, 0, 0),
        (3, 1, 0, 0), (5, 0, 0, 0), (1, 1, 0, 0), (2, 1, 0, 0)]


def write(outdir, target, data):
    folder = outdir / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / hashlib.sha1(data).hexdigest()).write_bytes(data)


def test_xml_literals():
    """The raw string literals of the tests that hold XML."""
    for source in sorted((ROOT / "tests").rglob("*.cpp")) + sorted((ROOT / "tests").rglob("*.h")):
        for text in re.findall(r'R"\((.*?)\)"', source.read_text(encoding="utf-8"), re.S):
            if text.lstrip().startswith("<"):
                yield text.encode()


def viewpart_seed(parts, ext_data):
    """parts: factory indexes, the first the work space; the life above when there are two."""
    ops = LIFE if len(parts) > 1 else [(4, 0, 0, 0), (6, 0, 0, 0), (9, 0, 0, 0), (12, 0, 0, 5), (5, 0, 0, 0)]
    header = bytes([len(parts) - 1, *parts, len(ops)]) + b"".join(bytes(op) for op in ops)
    return header + ext_data


def nested(open_tag, close_tag, levels):
    return open_tag * levels + close_tag * levels


def deep_nesting_seeds(outdir):
    """Nesting just past the readers' limit of 256 levels, which once ran the stack out."""
    items = nested(b"<Item Caption='x'>", b"</Item>", 300)
    toolbar = b"<ExtData><Toolbar>" + items + b"</Toolbar></ExtData>"
    work_items = nested(b"<WorkItem ID='W'>", b"</WorkItem>", 300)
    write(outdir, "fuzz_appfile", b"<Workbench>" + work_items + b"</Workbench>")
    write(outdir, "fuzz_appfile", b"<Workbench><WorkItem ID='Main'><ViewPart Name='Bar' "
          b"Factory='CreateToolbarViewPart'>" + toolbar + b"</ViewPart></WorkItem></Workbench>")
    write(outdir, "fuzz_config", toolbar)
    write(outdir, "fuzz_config", b"<ExtData>" + nested(b"<a>", b"</a>", 300) + b"</ExtData>")
    write(outdir, "fuzz_viewparts", viewpart_seed([FACTORIES.index("CreateToolbarViewPart")], toolbar))


def main():
    outdir = Path(sys.argv[1])
    shutil.rmtree(outdir, ignore_errors=True)
    for example in sorted((ROOT / "examples").glob("*.xml")):
        data = example.read_bytes()
        write(outdir, "fuzz_appfile", data)
        write(outdir, "fuzz_config", data)
        # The examples' comments hold "--" (command lines), which pugixml accepts and ElementTree not.
        tree = ET.fromstring(re.sub(rb"<!--.*?-->", b"", data, flags=re.S))
        parts = {}
        for vp in tree.iter("ViewPart"):
            ext = vp.find("ExtData")
            ext_data = ET.tostring(ext) if ext is not None else b""
            kind = FACTORIES.index(vp.get("Factory"))
            parts[vp.get("Name")] = (kind, ext)
            write(outdir, "fuzz_config", ext_data or b"<ExtData/>")
            write(outdir, "fuzz_viewparts", viewpart_seed([kind], ext_data))
        # Each work space with one of its children, their extension data side by side.
        for vp in tree.iter("ViewPart"):
            if vp.get("WorkSpace") in parts:
                ws_kind, ws_ext = parts[vp.get("WorkSpace")]
                child_kind, child_ext = parts[vp.get("Name")]
                both = ET.Element("ExtData")
                for ext in (ws_ext, child_ext):
                    both.extend(list(ext) if ext is not None else [])
                write(outdir, "fuzz_viewparts", viewpart_seed([ws_kind, child_kind], ET.tostring(both)))
    data_dir = ROOT / "tests" / "workbench" / "data"
    for data_file in sorted(data_dir.glob("*.xml")) if data_dir.is_dir() else []:
        write(outdir, "fuzz_appfile", data_file.read_bytes())
        write(outdir, "fuzz_config", data_file.read_bytes())
    for text in test_xml_literals():
        target = "fuzz_appfile" if b"<Workbench" in text else "fuzz_config"
        write(outdir, target, text)
        if target == "fuzz_config":
            write(outdir, "fuzz_viewparts", viewpart_seed([0, 5], b"<ExtData>" + text + b"</ExtData>"))
    deep_nesting_seeds(outdir)
    for script in sorted((ROOT / "examples").glob("*.script")):
        write(outdir, "fuzz_script", bytes([APPLICATIONS.index(script.stem)]) + script.read_bytes())
    for target in sorted(p.name for p in outdir.iterdir()):
        print(f"{target}: {len(list((outdir / target).iterdir()))} seeds")


if __name__ == "__main__":
    main()
