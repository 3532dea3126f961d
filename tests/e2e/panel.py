#!/usr/bin/python3
"""Kelvane's panel item, read and driven over D-Bus as waybar's tray sees it. Run by panel.sh, which
starts sway and a private session bus; every wait polls for its condition with a generous limit."""
import json
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

KELVANE = sys.argv[1]
WORK = os.environ["PANEL_WORK"]
SHOTS = os.environ.get("KELVANE_PANEL_SHOTS")
CONFIG = os.path.join(os.environ["XDG_CONFIG_HOME"], "kelvane", "kelvane.conf")
AUTOSTART = os.path.join(os.environ["XDG_CONFIG_HOME"], "autostart", "io.github.kelvane.Kelvane.desktop")
RUNS = os.path.join(os.environ["XDG_STATE_HOME"], "kelvane", "runs")
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
FILLS = {0x2E9D4F, 0xE8A317, 0xD93A2B}  # the icon's fill colours: plenty, low, critical free
MENU_LABELS = ["Show Kelvane", "Optimize", None, "Show in the panel", "Start at login", "End"]

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
procs = []
detail = ""


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    for p in procs:
        if p.poll() is None:
            p.kill()
    sys.exit(1)


def wait(seconds, message, check, step=0.1):
    """Runs check until it returns something true; fails with message (and the last detail seen)."""
    global detail
    detail = ""
    deadline = time.monotonic() + seconds
    while True:
        try:
            result = check()
        except GLib.Error as e:
            result, detail = None, e.message
        if result:
            return result
        if time.monotonic() > deadline:
            fail("%s after %d s%s" % (message, seconds, "; last seen: %s" % detail if detail else ""))
        time.sleep(step)


def call(name, path, interface, method, args=None, reply=None, timeout_ms=25000):
    result = bus.call_sync(name, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NO_AUTO_START, timeout_ms, None)
    return result.unpack() if result is not None else None


def dbus(method, *args, reply):
    signature = "(" + "s" * len(args) + ")"
    return call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
                GLib.Variant(signature, args), reply)[0]


def has_owner(name):
    return dbus("NameHasOwner", name, reply="(b)")


def start(args, name, env=None, stdin=None):
    err = open(os.path.join(WORK, name + ".err"), "w+")
    p = subprocess.Popen(args, stdin=stdin, stdout=err, stderr=err, env={**os.environ, **(env or {})})
    p.errfile = err.name
    procs.append(p)
    return p


def stderr_of(p):
    with open(p.errfile) as f:
        return f.read()


def alive(p):
    if p.poll() is not None:
        fail("%s exited with status %d: %s" % (p.args[0], p.returncode, stderr_of(p)))
    return True


def exits(p, seconds, status=0):
    global detail
    wait(seconds, "%s still running" % " ".join(p.args), lambda: p.poll() is not None)
    if p.returncode != status:
        fail("%s: exit status %d, expected %d: %s" % (" ".join(p.args), p.returncode, status, stderr_of(p)))


# --- the panel -------------------------------------------------------------------------------------

def start_waybar(background):
    with open(os.path.join(WORK, "waybar.json"), "w") as f:
        json.dump({"layer": "top", "position": "top", "height": 28, "modules-right": ["tray"],
                   "tray": {"icon-size": 22, "spacing": 6}}, f)
    with open(os.path.join(WORK, "waybar.css"), "w") as f:
        f.write("* { font-family: DejaVu Sans; font-size: 12px; }\n"
                "window#waybar { background: %s; }\n#tray { padding: 0 6px; }\n" % background)
    waybar = start(["waybar", "-c", os.path.join(WORK, "waybar.json"), "-s", os.path.join(WORK, "waybar.css")],
                   "waybar", {"GDK_BACKEND": "wayland"})
    wait(30, "waybar's tray never offered a StatusNotifierWatcher",
         lambda: alive(waybar) and has_owner("org.kde.StatusNotifierWatcher"))
    return waybar


def stop(p):
    p.terminate()
    p.wait(20)


def kelvane_item(pid):
    """The item's (bus name, path) in the watcher's list, when the process pid registered one."""
    global detail
    entries = call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties",
                   "Get", GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")),
                   "(v)")[0]
    detail = "registered: %s" % entries
    for entry in entries:
        name, slash, path = entry.partition("/")
        try:
            if dbus("GetConnectionUnixProcessID", name, reply="(u)") == pid:
                return name, slash + path if slash else "/StatusNotifierItem"
        except GLib.Error:
            pass
    return None


def properties(item):
    return call(item[0], item[1], "org.freedesktop.DBus.Properties", "GetAll", GLib.Variant("(s)", (ITEM,)),
                "(a{sv})")[0]


def tooltip_percent(title):
    m = re.fullmatch(r"Total : \d+\.000 MB\nUsed : \d+\.\d{3} Mb\nFree : \d+\.\d\d MB\n"
                     r"Free Memory In Percent: (\d+) %(\nOptimizing: \d+ %)?", title)
    return int(m.group(1)) if m else None


def expected_columns(side, percent):
    unit = max(1, side // 16)
    inner = side - 4 * unit
    columns = (inner * percent + 50) // 100
    if percent > 0:
        columns = max(columns, 1)
    if percent < 100:
        columns = min(columns, inner - 1)
    return columns


def fill_columns(width, height, data):
    """The widest run of fill colour on any row of an ARGB (network order) picture."""
    best = 0
    for y in range(height):
        count = 0
        for x in range(width):
            a, r, g, b = data[4 * (y * width + x):4 * (y * width + x) + 4]
            count += a == 255 and (r << 16 | g << 8 | b) in FILLS
        best = max(best, count)
    return best


def icon_follows_share(item):
    """The tooltip's per cent when every size of the icon shows it, else None."""
    global detail
    props = properties(item)
    percent = tooltip_percent(props["ToolTip"][2])
    sizes = sorted((w, fill_columns(w, h, bytes(data))) for w, h, data in props["IconPixmap"])
    detail = "tooltip %r, icon sizes and fill columns %s" % (props["ToolTip"][2], sizes)
    if percent is None or [w for w, _ in sizes] != [16, 22, 24, 32, 44, 48, 64]:
        return None
    return percent if all(c == expected_columns(w, percent) for w, c in sizes) else None


def menu(item):
    path = properties(item)["Menu"]
    _, (_, _, children) = call(item[0], path, MENU, "GetLayout", GLib.Variant("(iias)", (0, -1, [])),
                               "(u(ia{sv}av))")
    entries = []
    for cid, props, _ in children:
        if props.get("type") == "separator" or not props.get("visible", True):
            continue
        entries.append({"id": cid, "label": props.get("label", "").replace("_", ""),
                        "enabled": props.get("enabled", True), "checked": props.get("toggle-state", 0) == 1})
    return path, entries


def entry(item, label):
    for e in menu(item)[1]:
        if e["label"] == label:
            return e
    fail("no menu entry %r in %s" % (label, menu(item)[1]))


def click(item, label):
    path, _ = menu(item)
    call(item[0], path, MENU, "Event", GLib.Variant("(isvu)", (entry(item, label)["id"], "clicked",
                                                                GLib.Variant("i", 0), 0)))


# --- the window, as sway shows it -------------------------------------------------------------------

def sway_windows(pid):
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree", "-r"], check=True, capture_output=True,
                                     text=True).stdout)

    def walk(n):
        yield n
        for c in n.get("nodes", []) + n.get("floating_nodes", []):
            yield from walk(c)
    return [n for n in walk(tree) if n.get("pid") == pid and n.get("name") == "Kelvane"]


def window_shown(p):
    return alive(p) and len(sway_windows(p.pid)) == 1


def window_hidden(p):
    return alive(p) and not sway_windows(p.pid)


def close_window(p):
    subprocess.run(["swaymsg", "[pid=%d] kill" % p.pid], check=True, capture_output=True)


def write_config(text):
    os.makedirs(os.path.dirname(CONFIG), exist_ok=True)
    with open(CONFIG, "wb") as f:
        f.write(text)


def run_lines():
    try:
        with open(RUNS) as f:
            return [line for line in f if line.strip() and not line.startswith("#")]
    except FileNotFoundError:
        return []


def optimize_from_menu(item, p):
    before = len(run_lines())
    click(item, "Optimize")
    # The run answers the bus only while it gives memory back; it may be over before that is seen.
    wait(300, "Optimize was neither disabled nor finished",
         lambda: not entry(item, "Optimize")["enabled"] or len(run_lines()) > before, step=0.05)
    if len(run_lines()) == before:
        print("Optimize was disabled during the run")
    wait(300, "no run record was written", lambda: alive(p) and len(run_lines()) > before, step=0.5)
    summary = wait(60, "the menu never showed the run's result",
                   lambda: next((e["label"] for e in menu(item)[1] if e["label"].startswith("Finished")), None))
    wait(30, "Optimize stayed disabled after the run", lambda: entry(item, "Optimize")["enabled"])
    return summary


def swaymsg(*args):
    subprocess.run(["swaymsg"] + list(args), check=True, capture_output=True)


def grim_pixels(geometry):
    png = subprocess.run(["grim", "-g", geometry, "-t", "ppm", "-"], check=True, capture_output=True).stdout
    return png


def screenshots(k):
    """The bar at scale 1 and 2, light and dark, with the item's menu open; saved to SHOTS."""
    os.makedirs(SHOTS, exist_ok=True)
    # sway's headless backend has no pointer; a program that makes a virtual one gives the seat one.
    if os.environ.get("KELVANE_PANEL_POINTER"):
        start([os.environ["KELVANE_PANEL_POINTER"], "0", "0", "640", "480", "0", "300"], "pointer")
    swaymsg("output", "*", "resolution", "1280x720")
    for name, background in (("light", "#f2f2f2"), ("dark", "#1e1e1e")):
        bar = start_waybar(background)
        item = wait(60, "the item did not reach the panel", lambda: kelvane_item(k.pid))
        for scale in (1, 2):
            swaymsg("output", "*", "scale", str(scale))
            time.sleep(1)  # the bar redraws at the new scale; nothing to poll for from outside
            width = 1280 // scale
            subprocess.run(["grim", "-g", "%d,0 %dx28" % (width - 120, 120),
                            os.path.join(SHOTS, "panel-%s-%dx.png" % (name, scale))], check=True)
            if name == "light":
                empty = grim_pixels("%d,40 200x150" % (width - 200))
                swaymsg("seat", "-", "cursor", "set", str(width - 17), "14")
                swaymsg("seat", "-", "cursor", "press", "button3")
                swaymsg("seat", "-", "cursor", "release", "button3")
                wait(10, "the item's menu did not open", lambda: grim_pixels("%d,40 200x150" % (width - 200)) != empty)
                time.sleep(0.5)
                subprocess.run(["grim", "-g", "%d,0 560x180" % (width - 560),
                                os.path.join(SHOTS, "panel-menu-%dx.png" % scale)], check=True)
                swaymsg("seat", "-", "cursor", "set", "10", "300")
                swaymsg("seat", "-", "cursor", "press", "button1")
                swaymsg("seat", "-", "cursor", "release", "button1")
        swaymsg("output", "*", "scale", "1")
        stop(bar)
        wait(30, "the watcher stayed", lambda: not has_owner("org.kde.StatusNotifierWatcher"))


# 1. No panel to host the item: one line on stderr, the window stays, closing it ends Kelvane.
write_config(b"[panel]\nshow=true\n")
k = start([KELVANE], "no-panel")
wait(60, "without a panel the window was not shown", lambda: window_shown(k))
lines = stderr_of(k).splitlines()
if len(lines) != 1 or "panel" not in lines[0]:
    fail("without a panel, expected one line on stderr, got %r" % lines)
close_window(k)
exits(k, 30)

# 2. A damaged settings file: one warning, and Kelvane runs on with its window.
write_config(b"\x00\xff[panel\nshow\x01=\n[[[\n")
k = start([KELVANE], "damaged-config")
wait(60, "with damaged settings the window was not shown", lambda: window_shown(k))
if len(stderr_of(k).splitlines()) != 1:
    fail("a damaged settings file should give one warning, got %r" % stderr_of(k))
close_window(k)
exits(k, 30)

# 3. The item in a real panel.
waybar = start_waybar("#f2f2f2")
write_config(b"[panel]\nshow=true\n")
k = start([KELVANE], "kelvane")
item = wait(60, "Kelvane's item never reached the panel", lambda: alive(k) and kelvane_item(k.pid))
wait(60, "the window was not shown beside the item", lambda: window_shown(k))

percent = wait(30, "the icon does not draw the tooltip's share", lambda: icon_follows_share(item))
with open("/proc/meminfo") as f:
    info = {line.split(":")[0]: int(line.split()[1]) for line in f}
machine = info["MemAvailable"] * 100 // info["MemTotal"]
if abs(percent - machine) > 3:
    fail("the tooltip shows %d %% free, the machine %d %%" % (percent, machine))

# Take a fifth of the memory that is free: the share drops, and the icon follows it.
hog_bytes = min(info["MemTotal"] // 5, info["MemAvailable"] // 3) * 1024
hog = start(["/usr/bin/python3", "-c", "import sys; b = b'\\1' * %d; print('held', flush=True); sys.stdin.read()"
             % hog_bytes], "hog", stdin=subprocess.PIPE)
wait(60, "the memory hog did not start", lambda: alive(hog) and "held" in stderr_of(hog))
drop = hog_bytes * 100 // (info["MemTotal"] * 1024) // 2
lower = wait(30, "the icon never showed the share drop by %d points" % drop,
             lambda: (lambda p: p is not None and p <= percent - drop and p)(icon_follows_share(item)))
hog.stdin.close()
hog.wait(30)
print("the item showed %d %% free, %d %% with a memory hog" % (percent, lower))

labels = [e["label"] for e in menu(item)[1]]
if [label for label, want in zip(labels, MENU_LABELS) if want] != [w for w in MENU_LABELS if w] or \
        len(labels) != len(MENU_LABELS):
    fail("menu entries %r" % labels)
if entry(item, labels[2])["enabled"] or not entry(item, "Show in the panel")["checked"]:
    fail("the last run's entry is enabled or 'Show in the panel' unchecked: %s" % menu(item)[1])

# A left click shows or hides the window; closing it only hides it while the item is there.
call(item[0], item[1], ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))
wait(30, "a left click on the item did not hide the window", lambda: window_hidden(k))
call(item[0], item[1], ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))
wait(30, "a second left click did not show the window again", lambda: window_shown(k))
close_window(k)
wait(30, "closing the window did not hide it", lambda: window_hidden(k))

# One Kelvane in the panel: starting it again shows that window and exits 0.
again = start([KELVANE], "again", {"XDG_ACTIVATION_TOKEN": "test-token"})
exits(again, 30)
wait(30, "a second start did not show the first Kelvane's window", lambda: window_shown(k))
if kelvane_item(k.pid) is None:
    fail("the item left the panel")

# Start at login writes the autostart entry, and a second click removes it.
click(item, "Start at login")
wait(30, "no autostart entry", lambda: os.path.exists(AUTOSTART) and entry(item, "Start at login")["checked"])
with open(AUTOSTART) as f:
    text = f.read()
if "\nExec=kelvane --tray\n" not in text or not text.startswith("[Desktop Entry]\n"):
    fail("autostart entry: %r" % text)
click(item, "Start at login")
wait(30, "the autostart entry stayed", lambda: not os.path.exists(AUTOSTART))

# Optimize from the menu with no notification service: the result in the menu, nothing on stderr.
first = optimize_from_menu(item, k)
print("first run: %s" % first)

# A real notification daemon receives the next run's result.
dunst = start(["dunst"], "dunst")
wait(30, "dunst did not take the notification service",
     lambda: alive(dunst) and has_owner("org.freedesktop.Notifications"))
summary = optimize_from_menu(item, k)


def notified():
    global detail
    history = json.loads(subprocess.run(["dunstctl", "history"], capture_output=True, text=True).stdout or "{}")
    seen = [(n["summary"]["data"], n["body"]["data"]) for n in history.get("data", [[]])[0]]
    detail = "dunst's history: %s" % seen
    return ("Kelvane: Optimize finished", summary) in seen


# dunst keeps a notification out of its history while it is on screen: close them all first.
def closed_and_notified():
    subprocess.run(["dunstctl", "close-all"], check=False)
    return notified()


wait(30, "dunst never received the run's result", closed_and_notified)
if stderr_of(k):
    fail("kelvane wrote to stderr: %s" % stderr_of(k))

# The panel restarts: the item comes back.
stop(waybar)
wait(30, "the watcher stayed after its panel ended", lambda: not has_owner("org.kde.StatusNotifierWatcher"))
waybar = start_waybar("#1e1e1e")
item = wait(60, "the item did not come back to the restarted panel", lambda: alive(k) and kelvane_item(k.pid))
wait(30, "the item came back without its icon", lambda: icon_follows_share(item))

if SHOTS:
    stop(waybar)
    wait(30, "the watcher stayed", lambda: not has_owner("org.kde.StatusNotifierWatcher"))
    screenshots(k)
    waybar = start_waybar("#1e1e1e")
    item = wait(60, "the item did not come back", lambda: kelvane_item(k.pid))

# End from the menu ends Kelvane, which may leave before it answers the click.
try:
    click(item, "End")
except GLib.Error as e:
    if "NoReply" not in e.message:
        raise
exits(k, 30)

# Started with --tray (as at login), with settings that cannot be saved: the window starts hidden;
# leaving the panel warns once, shows the window, and Kelvane runs on.
write_config(b"[panel]\nshow=true\n")
os.chmod(os.path.dirname(CONFIG), 0o500)
os.chmod(CONFIG, 0o400)
if os.geteuid() == 0:
    args = ["unshare", "--mount", "sh", "-c", 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" "$0" && '
            'exec "$1" --tray', os.path.dirname(CONFIG), KELVANE]
else:
    args = [KELVANE, "--tray"]
k = start(args, "read-only")
item = wait(60, "with read-only settings the item never reached the panel", lambda: alive(k) and kelvane_item(k.pid))
if sway_windows(k.pid):
    fail("with --tray the window was shown at start")
click(item, "Show in the panel")
wait(30, "the item stayed after 'Show in the panel' was unchecked", lambda: alive(k) and not kelvane_item(k.pid))
lines = stderr_of(k).splitlines()
if len(lines) != 1 or "cannot save" not in lines[0]:
    fail("read-only settings: expected one warning, got %r" % lines)
wait(30, "leaving the panel hid the window", lambda: window_shown(k))
close_window(k)
exits(k, 30)
os.chmod(os.path.dirname(CONFIG), 0o700)
stop(waybar)
stop(dunst)
