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
import os
import queue
import shutil
import signal
import subprocess
import sys
import threading
import time

SKIP = 77
TIMEOUT = 15


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def require_tools():
    missing = [tool for tool in ("Xvfb", "xdotool") if not shutil.which(tool)]
    if not missing:
        return
    if os.environ.get("NUV_REQUIRE_XVFB"):
        fail("needs " + " and ".join(missing) + " (Debian: xvfb, xdotool)")
    print("SKIP: " + " and ".join(missing) + " not installed (Debian: xvfb, xdotool)")
    sys.exit(SKIP)


def start_display():
    """Xvfb on the first free display; it writes the display number it took to a pipe."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        fail("Xvfb did not start")
    return server, ":" + number


class Workbench:
    def __init__(self, binary, app, display):
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([binary, "--window", "--json", app], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True, env=env)
        self.events = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.events.put(json.loads(line))
        self.events.put(None)

    def expect(self, what, **fields):
        """Waits for an event with these fields; fails naming what the gesture was."""
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            try:
                event = self.events.get(timeout=max(0.1, deadline - time.time()))
            except queue.Empty:
                break
            if event is None:
                break
            self.seen.append(event)
            if all(event.get(k) == v for k, v in fields.items()):
                return event
        fail(what + ": no event " + json.dumps(fields) + "; seen: " + json.dumps(self.seen[-8:]))


def xdotool(display, *args):
    return subprocess.run(["xdotool", *map(str, args)], env=dict(os.environ, DISPLAY=display), check=True,
                          capture_output=True, text=True).stdout


def find(control, name):
    if control.get("Name") == name:
        return control
    for child in control.get("Controls", []):
        found = find(child, name)
        if found:
            return found
    return None


def place_in_window(control, x=0, y=0, root=True):
    """Gives every control its "At": where its corner stands in the window. The dump gives Left and
    Top from the parent's client origin, and each windowed control its ClientRect."""
    control["At"] = (0, 0) if root else (x + control["Left"], y + control["Top"])
    client = control.get("ClientRect", [0, 0, 0, 0])
    for child in control.get("Controls", []):
        place_in_window(child, control["At"][0] + client[0], control["At"][1] + client[1], False)


def centre(rect, dx=0, dy=0):
    """The middle of a [left, top, width, height] rectangle, moved by dx, dy."""
    return rect[0] + dx + rect[2] // 2, rect[1] + dy + rect[3] // 2


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
