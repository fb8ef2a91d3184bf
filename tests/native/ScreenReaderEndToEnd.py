#!/usr/bin/env python3
"""A screen reader's view of the native window, end to end: on a private Xvfb display and a private
D-Bus session (dbus-run-session) with the accessibility bus (at-spi2-core), the AT-SPI client that
screen readers use (pyatspi) reads the tree of nuv-workbench --window on the buttons example: every
control is there with its role, name and state; a real click on the check box (xdotool) shows in
its state and is announced (state-changed and focus events), and the client's own action on a radio button checks it.

The script runs itself again inside dbus-run-session. Usage: ScreenReaderEndToEnd.py RUNNER APPFILE."""
import os
import shutil
import subprocess
import sys
import time

from NativeWindowDriver import TIMEOUT, Workbench, fail, require_tools, start_display, window_geometry, xdotool

SKIP = 77
INSIDE = "NUV_SCREEN_READER_SESSION"


def python_with_pyatspi():
    """This interpreter, or the system's (pyatspi is a Debian package), when it can import pyatspi."""
    for python in (sys.executable, "/usr/bin/python3"):
        if os.path.exists(python) and subprocess.run([python, "-c", "import pyatspi"],
                                                     capture_output=True).returncode == 0:
            return python
    return None


def require_screen_reader_tools():
    """The accessibility bus's launcher and a Python that has pyatspi."""
    require_tools("dbus-run-session")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    python = python_with_pyatspi()
    if python and os.path.exists(launcher):
        return launcher, python
    if os.environ.get("NUV_REQUIRE_XVFB"):
        fail("needs python3-pyatspi and at-spi2-core")
    print("SKIP: python3-pyatspi or at-spi2-core not installed")
    sys.exit(SKIP)


def find_application(pyatspi, name):
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            application = desktop.getChildAtIndex(i)
            if application is not None and application.name == name:
                return application
        time.sleep(0.3)
    fail("the accessibility bus lists no application called " + name)


def elements(node, depth=0):
    yield node
    if depth < 40:
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from elements(child, depth + 1)


def element(application, role, name):
    for node in elements(application):
        if node.getRoleName() == role and node.name == name:
            return node
    fail("no " + role + " called " + repr(name) + " in " + repr(
        [(n.getRoleName(), n.name) for n in elements(application)]))


def wait_state(pyatspi, node, state, present, what):
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        if node.getState().contains(state) == present:
            return
        time.sleep(0.2)
    fail(what)


def listen_for(heard, kind, name, what):
    """Runs the client's event loop until an event of kind about the element called name came."""
    from gi.repository import GLib
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        if any(type_.startswith(kind) and source == name for type_, source in heard):
            return
        time.sleep(0.1)
    fail("the screen reader was not told of " + what + "; it heard " + repr(heard[-10:]))


def inside(binary, app, launcher):
    import pyatspi
    server, display = start_display()
    os.environ["DISPLAY"] = display
    bus = subprocess.Popen([launcher], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    bench = None
    try:
        time.sleep(0.5)
        # Qt speaks to the accessibility bus once it is asked to.
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        bench = Workbench(binary, app, display)
        _, ox, oy, _, _ = window_geometry(display, "Shell")
        application = find_application(pyatspi, "nuv-workbench")
        expected = [("radio button", "Small"), ("radio button", "Medium"), ("radio button", "Large"),
                    ("check box", "Bold"), ("link", "Read the manual")]
        for role, name in expected:
            element(application, role, name)
        nameless = [n.getRoleName() for n in elements(application) if not n.name and n.getRoleName() != "application"]
        if nameless:
            fail("elements without a name: " + repr(nameless))
        medium = element(application, "radio button", "Medium")
        if not medium.getState().contains(pyatspi.STATE_CHECKED):
            fail("Medium is not reported checked")
        bold = element(application, "check box", "Bold")
        if not bold.getState().contains(pyatspi.STATE_INDETERMINATE):
            fail("the grayed check box is not reported indeterminate")

        # What the screen reader is told as it happens: the check box's state changes, the focus.
        heard = []
        listener = lambda event: heard.append((event.type, event.source.name if event.source else None))
        pyatspi.Registry.registerEventListener(listener, "object:state-changed", "focus:")

        # A real click: grayed -> unchecked -> checked.
        extents = bold.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        for _ in range(2):
            xdotool(display, "mousemove", "--sync", extents.x + 6, extents.y + extents.height // 2)
            xdotool(display, "click", 1)
            time.sleep(0.2)
        wait_state(pyatspi, bold, pyatspi.STATE_CHECKED, True, "the clicked check box is not reported checked")
        bench.expect("the click on the check box", event="topic", topic="Topic://ViewPart/Bold/OnChange")
        listen_for(heard, "object:state-changed:checked", "Bold", "the check box's change of state")
        listen_for(heard, "object:state-changed:focused", "Bold", "the focus coming to the check box")

        # The client's own action, as a screen reader's user would press it.
        small = element(application, "radio button", "Small")
        action = small.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        lowered = [name.lower() for name in names]
        if "press" not in lowered:
            fail("the radio button offers no press action, only " + repr(names))
        action.doAction(lowered.index("press"))
        wait_state(pyatspi, small, pyatspi.STATE_CHECKED, True, "the radio button pressed by its action is not checked")
        bench.expect("the action on Small", event="topic", topic="Topic://ViewPart/Small/OnChange")
    finally:
        if bench and bench.process.poll() is None:
            bench.process.kill()
        bus.kill()
        server.kill()
    print("PASS")


def main():
    binary, app = sys.argv[1], sys.argv[2]
    if os.environ.get(INSIDE):
        inside(binary, app, os.environ[INSIDE])
        return
    launcher, python = require_screen_reader_tools()
    env = dict(os.environ, **{INSIDE: launcher})
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    env.pop("AT_SPI_BUS_ADDRESS", None)
    result = subprocess.run(["dbus-run-session", "--", python, os.path.abspath(__file__), binary, app], env=env)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
