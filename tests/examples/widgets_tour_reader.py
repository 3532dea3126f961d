"""Dumps the tour's window as read over AT-SPI and checks how the controls read.

Usage: widgets_tour_reader.py PID  (the tour's process)
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from atspi_common import Atspi, application, children, fail  # noqa: E402

PID = int(sys.argv[1])
R = Atspi.Role


def tour_window():
    app = application(PID)
    windows = children(app) if app is not None else []
    return next((w for w in windows if w.get_name() == "Widgets tour"), None)


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
