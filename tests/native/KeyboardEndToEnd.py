#!/usr/bin/env python3
"""The keyboard and tooltips of the native window end to end, on a private Xvfb display with real
keys and pointer moves (xdotool): nuv-workbench --window --json on a window of access keys (the
workbench's test data keyboard.xml). Tab and Shift+Tab move the focus in order, Space toggles the
check box, the arrows move the radio group's choice, Alt then Right then Enter clicks the second
toolbar item, Alt with an access key clicks an item or opens a submenu, Escape closes the open
submenu and then leaves the toolbar; a tooltip window appears while the pointer rests on an item
with a hint and goes when it leaves. Each step is checked by its event.

Usage: KeyboardEndToEnd.py RUNNER APPFILE OUTDIR (the screenshots go to OUTDIR)."""
import json
import os
import signal
import subprocess
import sys
import time

from NativeWindowDriver import (TIMEOUT, Workbench, centre, fail, find, place_in_window, require_tools, screenshot,
                                start_display, window_geometry, xdotool)


def key(display, *names):
    for name in names:
        xdotool(display, "key", "--clearmodifiers", name)
        time.sleep(0.15)


def visible_windows(display, pid):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True, text=True,
                            env=dict(os.environ, DISPLAY=display))
    return set(result.stdout.split())


def main():
    binary, app, outdir = sys.argv[1], sys.argv[2], sys.argv[3]
    require_tools("import")
    os.makedirs(outdir, exist_ok=True)
    window = json.loads(subprocess.run([binary, "--json", app], check=True, capture_output=True, text=True).stdout)
    place_in_window(window)
    toolbar = find(window, "MainToolbar")
    server, display = start_display()
    bench = None
    try:
        bench = Workbench(binary, app, display)
        wid, ox, oy, _, _ = window_geometry(display, "Keys")
        time.sleep(0.5)
        # The window takes the keyboard as a click on its empty area gives it.
        xdotool(display, "mousemove", "--sync", ox + 400, oy + 400)
        xdotool(display, "click", 1)
        xdotool(display, "windowfocus", "--sync", wid)
        time.sleep(0.2)

        key(display, "Tab")
        bench.expect("Tab to the check box", event="keyboard-focus", control="WordWrap")
        key(display, "Tab")
        bench.expect("Tab to the first radio button", event="keyboard-focus", control="Small")
        key(display, "shift+Tab")
        bench.expect("Shift+Tab back to the check box", event="keyboard-focus", control="WordWrap")
        screenshot(display, os.path.join(outdir, "keyboard-focus.png"))
        key(display, "space")
        bench.expect("Space on the check box", event="topic", topic="Topic://ViewPart/WordWrap/OnChange")
        key(display, "Tab", "Down")
        bench.expect("Down in the radio group", event="keyboard-focus", control="Medium")
        key(display, "Down")
        bench.expect("Down again: Medium gives up the choice", event="topic", topic="Topic://ViewPart/Medium/OnChange")
        bench.expect("Down again: Large takes the choice", event="topic", topic="Topic://ViewPart/Large/OnChange")

        # Alt alone puts the keyboard on the toolbar; Right and Enter click its second item.
        key(display, "alt")
        bench.expect("Alt alone", event="toolbar-keyboard", path=["&New"])
        key(display, "Right")
        bench.expect("Right on the toolbar", event="toolbar-keyboard", path=["&Open"])
        key(display, "Return")
        bench.expect("Enter on the second item", event="command", id="File.Open")

        # Alt with the access key of the submenu opens its menu; Escape closes it, then leaves.
        key(display, "alt+r")
        bench.expect("Alt+R opens the submenu", event="toolbar-keyboard", path=["Fo&rmat", "&Bold"])
        time.sleep(0.3)
        screenshot(display, os.path.join(outdir, "keyboard-menu.png"))
        key(display, "Escape")
        bench.expect("Escape closes the submenu", event="toolbar-keyboard", path=["Fo&rmat"])
        key(display, "Escape")
        bench.expect("Escape leaves the toolbar", event="toolbar-keyboard", path=[])
        key(display, "alt+n")
        bench.expect("Alt+N clicks the item", event="command", id="File.New")

        # A tooltip window while the pointer rests on an item with a hint; it goes when it leaves.
        before = visible_windows(display, bench.process.pid)
        xdotool(display, "mousemove", "--sync", *centre(toolbar["Items"][1]["Bounds"], ox + toolbar["At"][0],
                                                        oy + toolbar["At"][1]))
        deadline = time.time() + TIMEOUT
        while time.time() < deadline and not visible_windows(display, bench.process.pid) - before:
            time.sleep(0.2)
        if not visible_windows(display, bench.process.pid) - before:
            fail("no tooltip window appeared over the Open item")
        screenshot(display, os.path.join(outdir, "keyboard-tooltip.png"))
        xdotool(display, "mousemove", "--sync", ox + 400, oy + 400)
        deadline = time.time() + TIMEOUT
        while time.time() < deadline and visible_windows(display, bench.process.pid) - before:
            time.sleep(0.2)
        if visible_windows(display, bench.process.pid) - before:
            fail("the tooltip stayed after the pointer left the item")

        bench.process.send_signal(signal.SIGTERM)
        final = bench.expect("the dump at the end", event="dump")["window"]
        if final["Focused"] != "Large":
            fail("the focus ended on " + str(final["Focused"]) + ", not on Large")
        if bench.process.wait(timeout=TIMEOUT) != 0:
            fail("the runner ended with " + str(bench.process.returncode) + ": " + bench.process.stderr.read())
    finally:
        if bench and bench.process.poll() is None:
            bench.process.kill()
        server.kill()
    print("PASS")


if __name__ == "__main__":
    main()
