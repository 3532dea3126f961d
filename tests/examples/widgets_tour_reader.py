"""Dumps the tour's window as read over AT-SPI and checks how the controls read.

Usage: widgets_tour_reader.py PID  (the tour's process)
"""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)
PID = int(sys.argv[1])
R = Atspi.Role


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def tour_window():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == PID:
            for j in range(app.get_child_count()):
                w = app.get_child_at_index(j)
                if w is not None and w.get_name() == "Widgets tour":
                    return w
    return None


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def dump(node, depth=0):
    print(f"{'  ' * depth}{node.get_role().value_nick} {node.get_name()!r}")
    for child in children(node):
        dump(child, depth + 1)


deadline = time.monotonic() + 60
while (window := tour_window()) is None:
    if time.monotonic() > deadline:
        fail("no window named 'Widgets tour' on the accessibility bus")
    time.sleep(0.2)
dump(window)

# Every control sits right in the window (a plain QWidget, read as a filler with its title): nothing
# unnamed wraps it.
read = [(c.get_role(), c.get_name()) for c in children(window)]
expected = [
    (R.PUSH_BUTTON, "Start"),
    (R.PUSH_BUTTON, "Stop"),
    (R.PROGRESS_BAR, "Copied"),
    (R.PROGRESS_BAR, "Checked"),
    (R.PUSH_BUTTON, "Copy every file to the backup folder, then check it"),
    (R.PUSH_BUTTON, "Check each copy against its original"),
]
if sorted(read, key=str) != sorted(expected, key=str):
    fail(f"the window's children read {[(r.value_nick, n) for r, n in read]}")
wrappers = [(r.value_nick, n) for r, n in read if r in (R.FILLER, R.PANEL) and not n]
if wrappers:
    fail(f"unnamed fillers or panels: {wrappers}")
for control in children(window):
    if control.get_child_count():
        fail(f"{control.get_name()!r} has children of its own")
copied = next(c for c in children(window) if c.get_name() == "Copied")
if "Value" not in copied.get_interfaces() or copied.get_current_value() != 40:
    fail("the bar does not read its Value, 40")
print("ok: both controls read as a push button and a progress bar, with nothing wrapping them")
