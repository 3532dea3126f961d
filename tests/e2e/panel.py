#!/usr/bin/python3
"""Kelvane's panel item as waybar's tray sees it, read and driven over D-Bus. Run by panel.sh; every
wait polls for its condition with a generous limit."""
import json
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

KELVANE, WORK, SHOTS = sys.argv[1], os.environ["PANEL_WORK"], os.environ.get("KELVANE_PANEL_SHOTS")
CONFIG = os.environ["XDG_CONFIG_HOME"] + "/kelvane/kelvane.conf"
AUTOSTART = os.environ["XDG_CONFIG_HOME"] + "/autostart/io.github.kelvane.Kelvane.desktop"
RUNS = os.environ["XDG_STATE_HOME"] + "/kelvane/runs"
SNI, MENU, WATCHER = "org.kde.StatusNotifierItem", "com.canonical.dbusmenu", "org.kde.StatusNotifierWatcher"
FILLS = {0x2E9D4F, 0xE8A317, 0xD93A2B}  # the icon's fill colours
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
procs, seen = [], [""]


def fail(message):
    for p in procs:
        if p.poll() is None:
            p.kill()
    sys.exit("FAIL: " + message)


def wait(seconds, message, check, step=0.1):
    seen[0] = ""
    deadline = time.monotonic() + seconds
    while True:
        try:
            result = check()
        except GLib.Error as e:
            result, seen[0] = None, e.message
        if result:
            return result
        if time.monotonic() > deadline:
            fail("%s after %d s; last seen: %s" % (message, seconds, seen[0]))
        time.sleep(step)


def call(name, path, interface, method, signature=None, args=(), reply=None):
    result = bus.call_sync(name, path, interface, method, GLib.Variant(signature, args) if signature else None,
                           GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NO_AUTO_START, 25000, None)
    return result.unpack() if result else None


def owned(name):
    return call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner", "(s)",
                (name,), "(b)")[0]


def start(name, args, env=None, **kwargs):
    p = subprocess.Popen(args, stdout=open("%s/%s.log" % (WORK, name), "w"), stderr=subprocess.STDOUT,
                         env={**os.environ, **(env or {})}, **kwargs)
    p.log = "%s/%s.log" % (WORK, name)
    procs.append(p)
    return p


def log(p):
    with open(p.log) as f:
        return f.read()


def alive(p):
    if p.poll() is not None:
        fail("%s ended with status %d: %s" % (p.args, p.returncode, log(p)))
    return True


def ends(p):
    wait(30, "%s still running" % p.args, lambda: p.poll() is not None)
    if p.returncode != 0:
        fail("%s: exit status %d: %s" % (p.args, p.returncode, log(p)))


def start_waybar(background):
    with open(WORK + "/waybar.json", "w") as f:
        json.dump({"height": 28, "modules-right": ["tray"], "tray": {"icon-size": 22, "spacing": 6}}, f)
    with open(WORK + "/waybar.css", "w") as f:
        f.write("window#waybar { background: %s; } #tray { padding: 0 6px; }\n" % background)
    p = start("waybar", ["waybar", "-c", WORK + "/waybar.json", "-s", WORK + "/waybar.css"], {"GDK_BACKEND": "wayland"})
    wait(30, "waybar offered no StatusNotifierWatcher", lambda: alive(p) and owned(WATCHER))
    return p


def stop(p):
    p.terminate()
    p.wait(20)
    if p.args[0] == "waybar":
        wait(30, "the watcher outlived its panel", lambda: not owned(WATCHER))


def item_of(k):
    """Kelvane's item (bus name, path) as the panel's watcher lists it."""
    entries = call(WATCHER, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get", "(ss)",
                   (WATCHER, "RegisteredStatusNotifierItems"), "(v)")[0]
    seen[0] = "registered: %s" % entries
    for name, slash, path in (e.partition("/") for e in entries):
        if call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "GetConnectionUnixProcessID", "(s)", (name,), "(u)")[0] == k.pid:
            return name, slash + path
    return None


def props(item):
    return call(*item, "org.freedesktop.DBus.Properties", "GetAll", "(s)", (SNI,), "(a{sv})")[0]


def columns_for(side, percent):
    unit = max(1, side // 16)
    inner = side - 4 * unit
    columns = (inner * percent + 50) // 100
    return min(max(columns, 1 if percent else 0), inner if percent == 100 else inner - 1)


def drawn_share(item):
    """The tooltip's per cent when every size of the icon draws it."""
    p = props(item)
    m = re.fullmatch(r"Total : \d+\.000 MB\nUsed : \d+\.\d{3} Mb\nFree : \d+\.\d\d MB\n"
                     r"Free Memory In Percent: (\d+) %(\nOptimizing: \d+ %)?", p["ToolTip"][2])
    drawn = []
    for w, h, data in p["IconPixmap"]:  # ARGB in network order; the widest run of fill on a row
        rows = [[data[i:i + 4] for i in range(4 * w * y, 4 * w * (y + 1), 4)] for y in range(h)]
        drawn.append((w, max(sum(a == 255 and (r << 16 | g << 8 | b) in FILLS for a, r, g, b in row) for row in rows)))
    seen[0] = "tooltip %r, icon sizes and filled columns %s" % (p["ToolTip"][2], drawn)
    ok = m and [w for w, _ in drawn] == [16, 22, 24, 32, 44, 48, 64]
    return ok and all(c == columns_for(w, int(m.group(1))) for w, c in drawn) and int(m.group(1))


def menu(item):
    path = props(item)["Menu"]
    _, (_, _, children) = call(item[0], path, MENU, "GetLayout", "(iias)", (0, -1, []), "(u(ia{sv}av))")
    return path, {p.get("label", ""): (i, p.get("enabled", True), p.get("toggle-state", 0))
                  for i, p, _ in children if p.get("type") != "separator"}


def click(item, label):
    path, entries = menu(item)
    call(item[0], path, MENU, "Event", "(isvu)", (entries[label][0], "clicked", GLib.Variant("i", 0), 0))


def activate(item):
    call(*item, SNI, "Activate", "(ii)", (0, 0))


def shown(k, expected=True):
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree", "-r"], check=True, capture_output=True).stdout)
    nodes, found = [tree], False
    while nodes:
        n = nodes.pop()
        found |= n.get("pid") == k.pid
        nodes += n.get("nodes", []) + n.get("floating_nodes", [])
    return alive(k) and found == expected


def close(k):
    subprocess.run(["swaymsg", "[pid=%d] kill" % k.pid], check=True, capture_output=True)


def write_config(text):
    os.makedirs(os.path.dirname(CONFIG), exist_ok=True)
    with open(CONFIG, "wb") as f:
        f.write(text)


def runs():
    return len(open(RUNS).readlines()) if os.path.exists(RUNS) else 0


def optimize(item, k):
    before = runs()
    click(item, "Optimize")
    # The run answers the bus only while it gives memory back; it may be over before that is seen.
    wait(300, "Optimize was neither disabled nor over", lambda: not menu(item)[1]["Optimize"][1] or runs() > before)
    wait(300, "no run record was written", lambda: alive(k) and runs() > before, step=0.5)
    return wait(60, "the menu never showed the run's result", lambda: menu(item)[1]["Optimize"][1] and next(
        (label for label in menu(item)[1] if label.startswith("Finished: held")), None))


def screenshots(k):
    """The bar at scale 1 and 2, light and dark, and its menu open, into SHOTS."""
    os.makedirs(SHOTS, exist_ok=True)
    # sway's headless backend has no pointer; a program that makes a virtual one gives the seat one.
    if os.environ.get("KELVANE_PANEL_POINTER"):
        start("pointer", [os.environ["KELVANE_PANEL_POINTER"], "0", "0", "640", "480", "0", "300"])
    subprocess.run(["swaymsg", "output * resolution 1280x720"], check=True, capture_output=True)
    for name, background in (("light", "#f2f2f2"), ("dark", "#1e1e1e")):
        bar = start_waybar(background)
        wait(60, "the item did not reach the panel", lambda: item_of(k))
        for scale in (1, 2):
            subprocess.run(["swaymsg", "output * scale %d" % scale], check=True, capture_output=True)
            time.sleep(1)  # the bar redraws at the new scale; nothing outside tells when
            width = 1280 // scale
            grab = ["grim", "-g", "%d,0 120x28" % (width - 120), "%s/panel-%s-%dx.png" % (SHOTS, name, scale)]
            subprocess.run(grab, check=True)
            if name == "light":
                below = lambda: subprocess.run(["grim", "-g", "%d,40 200x150" % (width - 200), "-t", "ppm", "-"],
                                               capture_output=True).stdout
                empty = below()
                for command in ("cursor set %d 14" % (width - 17), "cursor press button3", "cursor release button3"):
                    subprocess.run(["swaymsg", "seat - " + command], check=True, capture_output=True)
                wait(10, "the item's menu did not open", lambda: below() != empty)
                time.sleep(0.5)
                subprocess.run(["grim", "-g", "%d,0 640x180" % (width - 640),
                                "%s/panel-menu-%dx.png" % (SHOTS, scale)], check=True)
                subprocess.run(["swaymsg", "seat - cursor press button1"], check=True, capture_output=True)
        subprocess.run(["swaymsg", "output * scale 1"], check=True, capture_output=True)
        stop(bar)


# No panel to host the item, damaged settings: a line for each, the window stays, closing it ends Kelvane.
write_config(b"\x00\xff[panel\nshow\x01=\n[[[\n")
k = start("no-panel", [KELVANE, "--tray"])
wait(60, "without a panel the window was not shown", lambda: shown(k))
lines = log(k).splitlines()
if len(lines) != 2 or "damaged" not in lines[0] or "no panel" not in lines[1]:
    fail("expected a line on the damaged settings and one on the missing panel, got %r" % lines)
close(k)
ends(k)

# The item in a real panel, its icon and tooltip following the share.
waybar = start_waybar("#f2f2f2")
write_config(b"[panel]\nshow=true\n")
k = start("kelvane", [KELVANE])
item = wait(60, "Kelvane's item never reached the panel", lambda: alive(k) and item_of(k))
wait(60, "the window was not shown beside the item", lambda: shown(k))
share = wait(30, "the icon does not draw the tooltip's share", lambda: drawn_share(item))
info = {line.split(":")[0]: int(line.split()[1]) for line in open("/proc/meminfo")}
if abs(share - info["MemAvailable"] * 100 // info["MemTotal"]) > 3:
    fail("the tooltip shows %d %% free, the machine %d %%" % (share, info["MemAvailable"] * 100 // info["MemTotal"]))
hog_bytes = min(info["MemTotal"] // 5, info["MemAvailable"] // 3) * 1024
hog = start("hog", ["/usr/bin/python3", "-c", "import sys; b = b'\\1' * %d; print('held', flush=True); sys.stdin.read()"
                    % hog_bytes], stdin=subprocess.PIPE)
wait(60, "the memory hog did not start", lambda: alive(hog) and "held" in log(hog))
drop = hog_bytes * 50 // (info["MemTotal"] * 1024)
lower = wait(30, "the icon never showed the share %d points lower" % drop,
             lambda: (drawn_share(item) or 101) <= share - drop and drawn_share(item))
hog.stdin.close()
print("the item showed %d %% free, %d %% beside a memory hog" % (share, lower))

entries = menu(item)[1]
labels = [label for label in entries if not label.startswith("No run") and not label.startswith("Finished")]
if labels != ["Show Kelvane", "Optimize", "Show in the panel", "Start at login", "End"] or len(entries) != 6:
    fail("menu entries %r" % entries)
if any(v[1] for label, v in entries.items() if label not in labels) or entries["Show in the panel"][2] != 1:
    fail("the last run's entry is enabled or 'Show in the panel' unchecked: %r" % entries)

# A left click shows or hides the window; closing it only hides it; a second start shows it.
activate(item)
wait(30, "a left click did not hide the window", lambda: shown(k, False))
activate(item)
wait(30, "a second left click did not show the window", lambda: shown(k))
close(k)
wait(30, "closing the window did not hide it", lambda: shown(k, False))
ends(start("again", [KELVANE], {"XDG_ACTIVATION_TOKEN": "test-token"}))
wait(30, "a second start did not show the first Kelvane's window", lambda: shown(k) and item_of(k))

click(item, "Start at login")
wait(30, "no autostart entry", lambda: os.path.exists(AUTOSTART) and menu(item)[1]["Start at login"][2] == 1)
if "\nExec=kelvane --tray\n" not in open(AUTOSTART).read():
    fail("autostart entry: %r" % open(AUTOSTART).read())
click(item, "Start at login")
wait(30, "the autostart entry stayed", lambda: not os.path.exists(AUTOSTART))

# Optimize from the menu: with no notification service nothing is said; then dunst gets the result.
print("first run: %s" % optimize(item, k))
dunst = start("dunst", ["dunst"])
wait(30, "dunst did not take the notification service", lambda: alive(dunst) and owned("org.freedesktop.Notifications"))
summary = optimize(item, k)


def notified():
    # dunst keeps a notification out of its history while it is shown.
    subprocess.run(["dunstctl", "close-all"], check=True)
    history = json.loads(subprocess.run(["dunstctl", "history"], capture_output=True, text=True).stdout or "{}")
    seen[0] = [(n["summary"]["data"], n["body"]["data"]) for n in history.get("data", [[]])[0]]
    return ("Kelvane: Optimize finished", summary) in seen[0]


wait(30, "dunst never received the run's result", notified)
if log(k):
    fail("kelvane wrote to stderr: %s" % log(k))

# The panel restarts: the item comes back. A panel gone for good: the hidden window comes back.
stop(waybar)
waybar = start_waybar("#1e1e1e")
item = wait(60, "the item did not come back to the restarted panel", lambda: alive(k) and item_of(k))
wait(30, "the item came back without its icon", lambda: drawn_share(item))
activate(item)
wait(30, "a left click did not hide the window", lambda: shown(k, False))
stop(waybar)
wait(60, "the window stayed hidden with the panel gone", lambda: shown(k))
if SHOTS:
    screenshots(k)
waybar = start_waybar("#1e1e1e")
item = wait(60, "the item did not come back", lambda: item_of(k))
try:
    click(item, "End")  # Kelvane may end before it answers
except GLib.Error as e:
    if "NoReply" not in e.message:
        raise
ends(k)

# Started with --tray as at login, settings that cannot be saved: the window starts hidden; leaving
# the panel warns once and shows the window, and closing it then ends Kelvane.
write_config(b"[panel]\nshow=true\n")
folder = os.path.dirname(CONFIG)
os.chmod(folder, 0o500)
# Inside a chroot whose root is no mount point unshare cannot make "/" private; the chroot's own
# namespace is private already, so its mounts stay where they are made.
private = subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode == 0
as_root = ["unshare", "--mount"] + ([] if private else ["--propagation", "unchanged"]) + [
    "sh", "-c", 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" "$0" && exec "$@"', folder]
k = start("read-only", (as_root if os.geteuid() == 0 else []) + [KELVANE, "--tray"])
item = wait(60, "with read-only settings the item never reached the panel", lambda: alive(k) and item_of(k))
if shown(k):
    fail("with --tray the window was shown at start")
click(item, "Show in the panel")
wait(30, "the item stayed after 'Show in the panel' was unchecked", lambda: alive(k) and not item_of(k))
wait(30, "leaving the panel did not show the window", lambda: shown(k))
if len(log(k).splitlines()) != 1 or "cannot save" not in log(k):
    fail("read-only settings: expected one warning, got %r" % log(k))
close(k)
ends(k)
os.chmod(folder, 0o700)
stop(waybar)
stop(dunst)
