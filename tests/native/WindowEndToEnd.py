#!/usr/bin/env python3
"""The native window end to end, on a private Xvfb display with real pointer events (xdotool):
nuv-workbench --window --json on the showcase; a toolbar button clicked at the coordinates the
dump gives, a submenu opened and an item picked, the check box in the floating panel toggled, a status panel
double-clicked, a label right-clicked, the floating panel closed by its close button and a docked
panel's edge dragged; then SIGTERM closes the window like the user, and the final dump must show
what the gestures did.

Without Xvfb or xdotool the test is skipped (exit 77), unless NUV_REQUIRE_XVFB is set, as
./dev test and CI set it."""
import json
import signal
import subprocess
import sys
import time

from NativeWindowDriver import TIMEOUT, Workbench, centre, fail, find, place_in_window, require_tools, start_display, xdotool


def main():
    binary, app = sys.argv[1], sys.argv[2]
    require_tools()
    window = json.loads(subprocess.run([binary, "--json", app], check=True, capture_output=True, text=True).stdout)
    place_in_window(window)
    server, display = start_display()
    bench = None
    try:
        bench = Workbench(binary, app, display)
        ids = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "^Showcase$").split()
        geometry = dict(line.split("=") for line in xdotool(display, "getwindowgeometry", "--shell", ids[0]).split())
        ox, oy = int(geometry["X"]), int(geometry["Y"])
        time.sleep(0.5)

        def at(control, rect, dx=0, dy=0):
            x, y = centre(rect, control["At"][0] + ox + dx, control["At"][1] + oy + dy)
            return x, y

        def click(x, y, button=1, repeat=1):
            xdotool(display, "mousemove", "--sync", x, y)
            xdotool(display, "click", "--repeat", repeat, "--delay", 80, button)

        toolbar = find(window, "MainToolbar")
        items = {item["Caption"]: item for item in toolbar["Items"] if item["Visible"]}
        click(*at(toolbar, items["New"]["Bounds"]))
        bench.expect("toolbar button", event="command", id="File.New")

        click(*at(toolbar, items["Format"]["Bounds"]))
        time.sleep(0.5)
        xdotool(display, "key", "--delay", 100, "Down", "Return")
        bench.expect("submenu item", event="command", id="Format.Bold")

        box = find(window, "WordWrap")  # in the floating panel, a tool window of its own
        click(*at(box, box["GlyphRect"]))
        time.sleep(0.3)

        bar = find(window, "Status")
        click(*at(bar, bar["Panels"][1]["Bounds"]), repeat=2)
        bench.expect("status panel double-click", event="topic", viewPart="Status",
                     topic="Topic://ViewPart/Status/OnDblClick")

        label = find(window, "Hint")
        click(*at(label, label["TextRect"]), button=3)
        bench.expect("right click", event="popup", viewPart="Hint")

        panel = find(window, "Properties")
        click(*at(panel, panel["Frame"]["CloseButton"]))
        time.sleep(0.3)

        tools = find(window, "Tools")
        index, docked = next((i, c) for i, c in enumerate(tools["Controls"])
                             if "Frame" in c and c["Visible"] and c["Frame"]["ResizeEdge"][2])
        x, y = at(docked, docked["Frame"]["ResizeEdge"])
        xdotool(display, "mousemove", "--sync", x, y)
        xdotool(display, "mousedown", 1)
        xdotool(display, "mousemove", "--sync", x + 15, y)
        xdotool(display, "mousemove", "--sync", x + 30, y)
        xdotool(display, "mouseup", 1)
        time.sleep(0.3)

        bench.process.send_signal(signal.SIGTERM)
        final = bench.expect("the dump at the end", event="dump")["window"]
        if bench.process.wait(timeout=TIMEOUT) != 0:
            fail("the runner ended with " + str(bench.process.returncode) + ": " + bench.process.stderr.read())
        if find(final, "WordWrap")["State"] == box["State"]:
            fail("the check box kept its state " + box["State"])
        if find(final, "Properties")["Visible"]:
            fail("the floating panel still shows after its close button")
        width = find(final, "Tools")["Controls"][index]["DockedWidth"]
        if width != docked["DockedWidth"] + 30:
            fail("the docked panel's width is " + str(width) + ", not " + str(docked["DockedWidth"] + 30))
        print("the window took every gesture")
    finally:
        if bench and bench.process.poll() is None:
            bench.process.kill()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
