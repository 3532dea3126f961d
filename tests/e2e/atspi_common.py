"""What both screen-reader checks share: reaching a process's application over AT-SPI, walking its
objects, waiting without missing events, failing with a message."""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)  # Atspi's per-interface names still work


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(seconds, message, probe):
    """Calls probe() until it returns something true; fails with message (and its last detail)."""
    deadline = time.monotonic() + seconds
    detail = None
    while time.monotonic() < deadline:
        result, detail = probe()
        if result:
            return result
        pump(0.1)
    fail(f"{message} after {seconds} s; last seen: {detail}")


def pump(seconds):
    """Lets events the window sends reach this reader's listeners."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        # A window that never stops sending must not keep the reader here past the deadline.
        while context.iteration(False) and time.monotonic() < deadline:
            pass
        time.sleep(0.01)


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]
