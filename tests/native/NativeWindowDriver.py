"""What the end-to-end tests of the native window share: a private Xvfb display, the runner with
--window --json and its events, real input through xdotool, and the dumped window's geometry.

Without Xvfb or xdotool a test is skipped (exit 77), unless NUV_REQUIRE_XVFB is set, as
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


def require_tools(*more):
    """Xvfb, xdotool and the other tools named, by their command."""
    missing = [tool for tool in ("Xvfb", "xdotool", *more) if not shutil.which(tool)]
    if not missing:
        return
    if os.environ.get("NUV_REQUIRE_XVFB"):
        fail("needs " + " and ".join(missing) + " (Debian: xvfb, xdotool, imagemagick)")
    print("SKIP: " + " and ".join(missing) + " not installed (Debian: xvfb, xdotool, imagemagick)")
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
    def __init__(self, binary, app, display, extra=()):
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([binary, "--window", "--json", *extra, app], stdout=subprocess.PIPE,
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


def window_geometry(display, name):
    """The X, Y, WIDTH and HEIGHT of the visible window titled exactly name, once it is mapped."""
    ids = xdotool(display, "search", "--sync", "--onlyvisible", "--name", "^" + name + "$").split()
    geometry = dict(line.split("=") for line in xdotool(display, "getwindowgeometry", "--shell", ids[-1]).split())
    return ids[-1], int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]), int(geometry["HEIGHT"])


def drag(display, start, end, steps=6, before_release=None):
    """Presses the left button at start, moves in steps to end and releases there; before_release
    runs while the button is still down (a screenshot of the drag)."""
    xdotool(display, "mousemove", "--sync", *start)
    xdotool(display, "mousedown", 1)
    for step in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * step // steps
        y = start[1] + (end[1] - start[1]) * step // steps
        xdotool(display, "mousemove", "--sync", x, y)
        time.sleep(0.05)
    time.sleep(0.2)
    if before_release:
        before_release()
    xdotool(display, "mouseup", 1)
    time.sleep(0.2)


def screenshot(display, path):
    """The whole screen as a PNG (ImageMagick's import)."""
    subprocess.run(["import", "-window", "root", path], env=dict(os.environ, DISPLAY=display), check=True,
                   capture_output=True)


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


