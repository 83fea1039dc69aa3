"""Motoreckon as a screen reader meets it.

Runs the real program on a virtual X display and a session bus of its own (xvfb-run and
dbus-run-session), starts the accessibility bus first, and from then on works only through
AT-SPI, as a screen reader does:

- types a full stop into the carburetor window's Cubic Inches box, which refuses it, and
  hears the note that says why, announced as a notification;
- opens every calculator window from the menus and checks that each entry box, button and
  result is there and named: an entry box by its caption, a result by the caption beside it;
- opens the carburetor window, fills its three boxes, presses Calculate and reads the result;
- closes the program's windows as a user would and requires a clean exit, so that a sanitized
  build's leak check has its say.

Usage, under xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session --
    /usr/bin/python3 test_carburetor_atspi.py PROGRAM
The X server must not reset: by default it does so whenever its last client leaves, and the
accessibility libraries open and close short connections of their own, so the program could meet
a server in the middle of a reset and fail to connect.
Debian's python is needed: pyatspi and Xlib come from python3-pyatspi and python3-xlib.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# Generous: a build with AddressSanitizer starts and answers several times slower.
TIMEOUT = 90.0
POLL_INTERVAL = 0.1

CARBURETOR_MENU = ("Formulas", "Carburator", "Carburator Sizing")
WHOLE_NUMBERS_ONLY = "Only whole numbers and % can be typed here."
CARBURETOR_TITLE = "Carburator CFM Required"

# Each calculator window as its menu command opens it: the names of its shown entry boxes and
# buttons, and the descriptions of its result labels.
WINDOWS = [
    {
        "menu": CARBURETOR_MENU,
        "title": CARBURETOR_TITLE,
        "entries": ["Maximum RPM", "Cubic Inches", "Volumetric Efficiency"],
        "buttons": ["Calculate", "Close"],
        "results": ["Required CFM"],
    },
    {
        "menu": ("Formulas", "MPH, RPM Gears", "MPH"),
        "title": "MPH (1)",
        "entries": ["RPM", "Axle Ratio", "Transmission Ratio", "Tire Diameter"],
        "buttons": ["Calculate", "Command2"],
        "results": ["MPH"],
    },
    {
        "menu": ("Formulas", "MPH, RPM Gears", "RPM"),
        "title": "RPM (1)",
        "entries": ["MPH", "Axle Ratio", "Transmission Ratio", "Tire Diameter"],
        "buttons": ["Calculate", "Command2"],
        "results": ["RPM"],
    },
    {
        "menu": ("Formulas", "!/4 Mile ET and MPH", "HP by MPH"),
        "title": "Horsepower by MPH",
        "entries": ["Weight", "MPH"],
        "buttons": ["Calculate"],
        "results": ["Horse Power"],
    },
    {
        "menu": ("Formulas", "Engine", "Size & Compression Ratio"),
        "title": "Displacement and Compression Ratio Calculation",
        "entries": ["Bore", "Stroke", "Cylinders", "Head Vol.", "Gasket Vol.", "Deck Vol."],
        "buttons": ["Calculate", "Cancel", "Exit", "Round to the nearest 1/100"],
        "results": ["Cubic Inches", "Comp. Ratio"],
    },
]


class Failure(Exception):
    pass


def plain(text):
    """A name as a listener hears it: runs of blanks count as one."""
    return " ".join((text or "").split())


class Session:
    """The accessibility bus and the program, started in that order and always stopped."""

    def __init__(self, program):
        self.program_path = program
        self.runtime_dir = tempfile.mkdtemp(prefix="motoreckon-a11y-")
        os.chmod(self.runtime_dir, 0o700)
        self.launcher = None
        self.program = None
        self.pyatspi = None

    def start(self):
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime_dir)
        self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env)
        session_bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.poll("the accessibility bus", lambda: self.bus_is_up(session_bus), self.launcher)

        import pyatspi  # connects to the accessibility bus, which is up by now

        self.pyatspi = pyatspi
        program_env = dict(
            env,
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
        )
        self.program = subprocess.Popen([self.program_path], env=program_env)

    def bus_is_up(self, session_bus):
        reply = session_bus.call_sync(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), GLib.VariantType("(b)"),
            Gio.DBusCallFlags.NONE, -1, None)
        return reply.unpack()[0]

    def poll(self, what, probe, process=None):
        """Calls probe until it gives something true, and returns that; fails after TIMEOUT or
        as soon as the process watched has ended. Objects may come and go while a window
        opens, so an AT-SPI error counts as not yet."""
        process = process or self.program
        deadline = time.monotonic() + TIMEOUT
        while True:
            try:
                result = probe()
            except GLib.Error:
                result = None
            if result:
                return result
            if process is not None and process.poll() is not None:
                raise Failure(f"{what}: the process ended with status {process.returncode}")
            if time.monotonic() > deadline:
                raise Failure(f"{what}: not there after {TIMEOUT:.0f} s")
            time.sleep(POLL_INTERVAL)

    def stop(self):
        for process in (self.program, self.launcher):
            if process is None or process.poll() is not None:
                continue
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.runtime_dir, ignore_errors=True)


class Screen:
    """What the program shows, walked through AT-SPI."""

    def __init__(self, session):
        self.session = session
        self.pyatspi = session.pyatspi

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        desktop.clear_cache()
        for app in desktop:
            if app is not None and app.name == "Motoreckon":
                return app
        return None

    def descendants(self, node):
        for child in node:
            if child is None:
                continue
            yield child
            yield from self.descendants(child)

    def showing(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def window(self, title):
        """The shown window of the program with this title: a top-level window or a window
        inside the frame."""
        app = self.application()
        if app is None:
            return None
        app.clear_cache()
        for node in self.descendants(app):
            if node.getRole() == self.pyatspi.ROLE_FRAME and plain(node.name) == title:
                if self.showing(node):
                    return node
        return None

    def menu_item(self, window, path):
        """The menu entry reached through the menu bar of window by the captions in path."""
        if window is None:
            return None
        window.clear_cache()
        containers = [c for c in window
                      if c is not None and c.getRole() == self.pyatspi.ROLE_MENU_BAR]
        item = None
        for caption in path:
            items = [entry for container in containers for entry in container
                     if entry is not None and entry.getRole() == self.pyatspi.ROLE_MENU_ITEM
                     and plain(entry.name) == caption]
            if not items:
                return None
            item = items[0]
            containers = [c for c in item if c is not None]  # the entry's pop-up menu
        return item

    def press(self, node):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names:
            raise Failure(f"{node.getRoleName()} {node.name!r} offers no Press, only {names}")
        if not action.doAction(names.index("Press")):
            raise Failure(f"{node.getRoleName()} {node.name!r} refused Press")

    def choose(self, window, path):
        item = self.session.poll("menu entry " + " > ".join(path),
                                 lambda: self.menu_item(window, path))
        self.press(item)

    def frame(self):
        """The program's main window."""
        return self.session.poll("the main window with its menu bar",
                                 lambda: self.menu_item(self.window("MDIForm1"), ("Formulas",))
                                 and self.window("MDIForm1"))

    def open(self, menu, title):
        self.choose(self.frame(), menu)
        return self.session.poll(f"the window {title!r}", lambda: self.window(title))

    def controls(self, window, role):
        window.clear_cache()
        return [n for n in self.descendants(window) if n.getRole() == role and self.showing(n)]

    def results(self, window):
        """The result labels of a window: the labels that say what they show."""
        return [label for label in self.controls(window, self.pyatspi.ROLE_LABEL)
                if label.description]


def check_every_control_named(screen):
    pyatspi = screen.pyatspi
    problems = []
    for window_entry in WINDOWS:
        window = screen.open(window_entry["menu"], window_entry["title"])
        entries = screen.controls(window, pyatspi.ROLE_TEXT)
        buttons = (screen.controls(window, pyatspi.ROLE_PUSH_BUTTON) +
                   screen.controls(window, pyatspi.ROLE_CHECK_BOX))
        seen = {
            "entries": sorted(plain(e.name) for e in entries),
            "buttons": sorted(plain(b.name) for b in buttons),
            "results": sorted(plain(r.description) for r in screen.results(window)),
        }
        for kind, names in seen.items():
            if names != sorted(window_entry[kind]):
                problems.append(f"{window_entry['title']}: {kind} are named {names}, "
                                f"expected {sorted(window_entry[kind])}")
        for control in entries + buttons:
            if not control.getState().contains(pyatspi.STATE_FOCUSABLE):
                problems.append(f"{window_entry['title']}: {control.name!r} cannot take the focus")
    if problems:
        raise Failure("controls a screen reader cannot name:\n  " + "\n  ".join(problems))


def check_result_follows_its_caption(screen):
    """The displacement window's first result is cubic inches or liters, as its menu says."""
    title = WINDOWS[-1]["title"]
    window = screen.open(WINDOWS[-1]["menu"], title)
    for unit, caption in (("Liters", "Liters"), ("Cubic Inches", "Cubic Inches")):
        screen.choose(window, ("Options", "Displacement", unit))
        screen.session.poll(
            f"the first result of {title!r} described as {caption!r}",
            lambda: sorted(plain(r.description) for r in screen.results(window)) ==
            sorted([caption, "Comp. Ratio"]))


def check_refused_key_announced(screen):
    pyatspi = screen.pyatspi
    heard = []
    pyatspi.Registry.registerEventListener(
        lambda e: heard.append((e.source.getRole(), e.detail1, plain(e.source.name))),
        "object:state-changed:showing")

    def announced():
        while GLib.MainContext.default().iteration(False):
            pass
        return (pyatspi.ROLE_NOTIFICATION, 1, WHOLE_NUMBERS_ONLY) in heard

    window = screen.open(CARBURETOR_MENU, CARBURETOR_TITLE)
    box = next(b for b in screen.controls(window, pyatspi.ROLE_TEXT)
               if plain(b.name) == "Cubic Inches")
    at = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(at.x + at.width // 2, at.y + at.height // 2, "b1c")
    screen.session.poll("the focus in 'Cubic Inches'",
                        lambda: box.getState().contains(pyatspi.STATE_FOCUSED))
    pyatspi.Registry.generateKeyboardEvent(ord("."), None, pyatspi.KEY_SYM)
    screen.session.poll(f"the notification {WHOLE_NUMBERS_ONLY!r}", announced)
    if box.queryText().getText(0, -1) != "":
        raise Failure("'Cubic Inches' took the full stop")


def check_carburetor(screen):
    pyatspi = screen.pyatspi
    window = screen.open(CARBURETOR_MENU, CARBURETOR_TITLE)
    boxes = {plain(box.name): box for box in screen.controls(window, pyatspi.ROLE_TEXT)}
    for name, text in (("Maximum RPM", "6000"), ("Cubic Inches", "350"),
                       ("Volumetric Efficiency", "85")):
        if name not in boxes:
            raise Failure(f"no entry box named {name!r} among {sorted(boxes)}")
        box = boxes[name]
        if not box.queryEditableText().setTextContents(text):
            raise Failure(f"{name!r} refused the text {text!r}")
        screen.session.poll(f"{name!r} holding {text!r}",
                            lambda: box.queryText().getText(0, -1) == text)

    buttons = [b for b in screen.controls(window, pyatspi.ROLE_PUSH_BUTTON)
               if plain(b.name) == "Calculate"]
    if len(buttons) != 1:
        raise Failure(f"expected one Calculate button, found {len(buttons)}")
    screen.press(buttons[0])

    def required_cfm():
        results = [r for r in screen.results(window) if plain(r.description) == "Required CFM"]
        return results and plain(results[0].name) == "516" and results[0]

    screen.session.poll("Required CFM reading 516", required_cfm)


class XWindows:
    """The program's top-level windows as the X server knows them."""

    def __init__(self, pid):
        from Xlib import X, display, error, protocol

        self.X, self.error, self.protocol = X, error, protocol
        self.pid = pid
        self.connection = display.Display()
        self.pid_atom = self.connection.intern_atom("_NET_WM_PID")
        self.protocols = self.connection.intern_atom("WM_PROTOCOLS")
        self.delete = self.connection.intern_atom("WM_DELETE_WINDOW")

    def shown(self):
        """The ids of the program's shown windows that a user can close."""
        ids = []
        for window in self.connection.screen().root.query_tree().children:
            try:
                owner = window.get_full_property(self.pid_atom, self.X.AnyPropertyType)
                if owner is None or owner.value[0] != self.pid:
                    continue
                if window.get_attributes().map_state != self.X.IsViewable:
                    continue
                if self.delete in (window.get_wm_protocols() or []):
                    ids.append(window.id)
            except self.error.XError:
                continue  # gone while we looked
        return ids

    def ask_to_close(self, window_id):
        """What a window manager sends when the user clicks the window's close box."""
        window = self.connection.create_resource_object("window", window_id)
        message = self.protocol.event.ClientMessage(
            window=window, client_type=self.protocols,
            data=(32, [self.delete, self.X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=self.X.NoEventMask)
        self.connection.flush()

    def close(self):
        self.connection.close()


def check_clean_exit(session):
    """Closes the shown windows one by one, as a user would, and requires the program to end
    by itself with status 0 (a sanitized build fails here on a leak)."""
    program = session.program
    windows = XWindows(program.pid)
    try:
        if not windows.shown():
            raise Failure("found no window of the program to close")
        for _ in range(10):
            shown = windows.shown()
            if not shown or program.poll() is not None:
                break
            windows.ask_to_close(shown[0])
            session.poll(f"window {shown[0]:#x} to close",
                         lambda: program.poll() is not None or shown[0] not in windows.shown())
        else:
            raise Failure("windows still shown after ten were closed")
    finally:
        windows.close()
    try:
        status = program.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure(f"still running {TIMEOUT:.0f} s after its windows were closed")
    if status != 0:
        raise Failure(f"ended with status {status} once its windows were closed")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    session = Session(sys.argv[1])
    steps = [
        # First, while no window of its own covers the frame.
        ("a key the carburetor window refuses is announced", check_refused_key_announced),
        ("every entry box, button and result is named", check_every_control_named),
        ("a result names its caption as the caption changes", check_result_follows_its_caption),
        ("the carburetor window computes 516 CFM", check_carburetor),
    ]
    failed = 0
    try:
        session.start()
        screen = Screen(session)
        steps.append(("the program ends cleanly when its windows are closed",
                      lambda _: check_clean_exit(session)))
        for title, step in steps:
            try:
                step(screen)
                print(f"ok: {title}", flush=True)
            except Failure as failure:
                failed += 1
                print(f"FAILED: {title}: {failure}", file=sys.stderr, flush=True)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr, flush=True)
        return 1
    finally:
        session.stop()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
