#!/usr/bin/env python3
"""The living window end to end, on a private Xvfb display with real pointer events (xdotool):
nuv-workbench --window --json --layout FILE on the showcase. The main window is resized; the main
toolbar is dragged by its handle from the top dock to the bottom dock (a screenshot taken during
the drag must show the outline), out to float, and docked back by a double-click on its caption;
the floating Properties panel is resized by its border, dragged over the right dock, dragged out
again by its caption and dropped on the bottom dock; the status bar's size grip resizes the window.
Each gesture is checked by its event, the end by the final dump and the layout file; a second run
with the same layout file must open as the first one left it.

Usage: LivingWindowEndToEnd.py RUNNER APPFILE OUTDIR (the screenshots go to OUTDIR)."""
import json
import os
import signal
import subprocess
import sys
import time

from NativeWindowDriver import (TIMEOUT, Workbench, centre, drag, fail, find, place_in_window, require_tools,
                                screenshot, start_display, window_geometry, xdotool)


def differing_pixels(first, second, rect):
    """How many pixels of rect ([x, y, w, h] on the screen) differ between two screenshots."""
    crop = "%dx%d+%d+%d" % (rect[2], rect[3], rect[0], rect[1])
    result = subprocess.run(["compare", "-metric", "AE", "(", first, "-crop", crop, ")", "(", second, "-crop", crop,
                             ")", "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def parent_of(window, name):
    """The name of the control whose children hold the control called name."""
    for child in window.get("Controls", []):
        if child.get("Name") == name:
            return window.get("Name")
        found = parent_of(child, name)
        if found:
            return found
    return None


def close_and_dump(bench):
    bench.process.send_signal(signal.SIGTERM)
    final = bench.expect("the dump at the end", event="dump")["window"]
    if bench.process.wait(timeout=TIMEOUT) != 0:
        fail("the runner ended with " + str(bench.process.returncode) + ": " + bench.process.stderr.read())
    return final


def check_laid_out(final, what):
    width, height = final["Width"], final["Height"]
    status = find(final, "Status")
    if status["Top"] + status["Height"] != height:
        fail(what + ": the status bar ends at " + str(status["Top"] + status["Height"]) + ", not at " + str(height))
    for dock in ("TopDock", "BottomDock"):
        if find(final, dock)["Width"] != width:
            fail(what + ": " + dock + " is " + str(find(final, dock)["Width"]) + " wide, not " + str(width))


def main():
    binary, app, outdir = sys.argv[1], sys.argv[2], sys.argv[3]
    require_tools("import", "compare")
    os.makedirs(outdir, exist_ok=True)
    layout = os.path.join(outdir, "living-window-layout.json")
    if os.path.exists(layout):
        os.remove(layout)
    window = json.loads(subprocess.run([binary, "--json", app], check=True, capture_output=True, text=True).stdout)
    place_in_window(window)
    toolbar = find(window, "MainToolbar")
    handle = toolbar["Frame"]["DragHandle"]
    server, display = start_display()
    bench = None
    try:
        bench = Workbench(binary, app, display, ["--layout", layout])
        wid, ox, oy, _, _ = window_geometry(display, "Showcase")
        time.sleep(0.5)

        # The main window, resized as a window manager would.
        xdotool(display, "windowsize", wid, 1000, 700)
        bench.expect("resizing the window", event="window-resize", width=1000, height=700)
        time.sleep(0.3)
        status_top = 700 - find(window, "Status")["Height"]

        # The toolbar by its handle into the (empty) bottom dock, above the status bar.
        before = os.path.join(outdir, "living-window-before-drag.png")
        during = os.path.join(outdir, "native-drag.png")
        screenshot(display, before)
        grab = centre(handle, ox, oy)
        drop = (ox + 500, oy + status_top - 5)
        drag(display, grab, drop, before_release=lambda: screenshot(display, during))
        docked = bench.expect("the toolbar dragged to the bottom dock", event="dock", viewPart="MainToolbar",
                              **{"from": "TopDock", "to": "BottomDock"})
        left = docked["pos"]
        outline = [ox + left, oy + status_top - toolbar["Height"], toolbar["Width"], toolbar["Height"]]
        if differing_pixels(before, during, outline) < outline[2] * outline[3] // 4:
            fail("the screenshot taken during the drag shows no outline at " + str(outline))

        # Out of every dock: it floats where it is dropped.
        grab = (ox + left + handle[0] + handle[2] // 2, oy + status_top - toolbar["Height"] + handle[1] + handle[3] // 2)
        drag(display, grab, (ox + 500, oy + 300))
        floated = bench.expect("the toolbar dragged out to float", event="float", viewPart="MainToolbar")
        bx, by = floated["bounds"][0], floated["bounds"][1]

        # A double-click on its caption takes it back to where it was docked.
        xdotool(display, "mousemove", "--sync", ox + bx + 30, oy + by + 12)
        xdotool(display, "click", "--repeat", 2, "--delay", 80, 1)
        bench.expect("the toolbar's caption double-clicked", event="dock", viewPart="MainToolbar",
                     **{"from": None, "to": "BottomDock"})

        # The floating panel: wider by its right border, then over the right dock.
        _, px, py, pw, ph = window_geometry(display, "Properties")
        drag(display, (px + pw - 2, py + ph // 2), (px + pw + 38, py + ph // 2))
        resized = bench.expect("the panel's border dragged", event="float", viewPart="Properties")
        if resized["bounds"][2] != pw + 40:
            fail("the panel is " + str(resized["bounds"][2]) + " wide after its border moved by 40 from " + str(pw))
        drag(display, (px + 30, py + 12), (ox + 997, oy + 300))
        bench.expect("the panel dropped on the right dock", event="dock", viewPart="Properties",
                     **{"from": None, "to": "RightDock"})

        # Docked in the right dock, below the now empty top dock: its caption runs along its top,
        # right of the resize edge (4) and the border (1); out by it again.
        width = pw + 40
        drag(display, (ox + 1000 - width + 5 + 20, oy + 1 + 9), (ox + 400, oy + 250))
        floated = bench.expect("the docked panel dragged out by its caption", event="float", viewPart="Properties")
        bx, by = floated["bounds"][0], floated["bounds"][1]
        drag(display, (ox + bx + 30, oy + by + 12), (ox + 200, oy + status_top - toolbar["Height"] // 2))
        bench.expect("the panel dropped on the bottom dock", event="dock", viewPart="Properties",
                     **{"from": None, "to": "BottomDock"})

        # The size grip in the status bar's corner resizes the window.
        drag(display, (ox + 1000 - 6, oy + 700 - 6), (ox + 900 - 6, oy + 650 - 6))
        bench.expect("the size grip dragged", event="window-resize", width=900, height=650)

        final = close_and_dump(bench)
        check_laid_out(final, "after the gestures")
        for name in ("MainToolbar", "Properties"):
            if parent_of(final, name) != "BottomDock":
                fail(name + " lies in " + str(parent_of(final, name)) + ", not in BottomDock")
        kept = json.load(open(layout))
        if kept["window"] != [900, 650] or kept["viewParts"]["MainToolbar"]["dock"] != "BottomDock":
            fail("the layout file does not hold what the window was left as: " + json.dumps(kept))

        # The second run opens as the first one was left.
        bench = Workbench(binary, app, display, ["--layout", layout])
        window_geometry(display, "Showcase")
        time.sleep(0.5)
        again = close_and_dump(bench)
        if [again["Width"], again["Height"]] != [900, 650]:
            fail("the second run opens " + str(again["Width"]) + "x" + str(again["Height"]) + ", not 900x650")
        for name in ("MainToolbar", "Properties"):
            if parent_of(again, name) != "BottomDock":
                fail("the second run has " + name + " in " + str(parent_of(again, name)) + ", not in BottomDock")
        check_laid_out(again, "the second run")
        print("the window took every docking gesture and came back as it was left")
    finally:
        if bench and bench.process.poll() is None:
            bench.process.kill()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
