"""A screen reader's view of Kelvane over AT-SPI: reads the window, presses Optimize and End.

Usage: atspi_reader.py PID  (Kelvane's process, already showing its window)
Prints one line per check; exits 1 on the first failure.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_common import Atspi, GLib, application, fail, pump, wait_for, walk  # noqa: E402

PID = int(sys.argv[1])
S = Atspi.StateType
# Roles are compared as roles: their names for display change between library versions
# (a push button reads "button" in newer ones).
R = Atspi.Role


def showing(node):
    return node.get_state_set().contains(S.SHOWING)


def readable(window):
    """What a reader finds on screen: (role, name, node) of every showing object."""
    window.clear_cache()
    return [(n.get_role(), n.get_name(), n) for n in walk(window) if showing(n)]


def listed(objects):
    """(role, name) of each object, for a failure message."""
    return [(r.value_nick, n) for r, n, _ in objects]


def names(objects, role):
    return [name for r, name, _ in objects if r == role]


def find(objects, role, name):
    for r, n, node in objects:
        if r == role and n == name:
            return node
    return None


def action_names(node):
    if "Action" not in node.get_interfaces():
        return []
    return [node.get_action_name(i) for i in range(node.get_n_actions())]


def value_of(node):
    node.clear_cache()
    return node.get_current_value()


def kelvane_window():
    app = application(PID)
    if app is None:
        return None, "no application with the process id"
    for i in range(app.get_child_count()):
        w = app.get_child_at_index(i)
        if w is not None and w.get_role() == R.FRAME and w.get_name() == "Kelvane" and showing(w):
            return w, None
    return None, [(w.get_role().value_nick, w.get_name()) for w in walk(app)][:5]


window = wait_for(60, "no showing frame named Kelvane on the accessibility bus", kelvane_window)
print("ok: the window reads as a frame named Kelvane")

# Each figure reads with its caption: what the refresh writes every 100 ms after "Total :".
FIGURES = [
    ("Total :", r"^Total : \d+\.000 MB$"),
    ("Used :", r"^Used : \d+\.\d{3} Mb$"),
    ("Free :", r"^Free : \d+\.\d{2} MB$"),
]
PERCENT = r"^(\d+) %$"


def figures_filled():
    texts = names(readable(window), R.LABEL)
    heads_found = "Free Memory In Percent" in texts
    figures_found = all(any(re.match(f, t) for t in texts) for _, f in FIGURES)
    percent_found = any(re.match(PERCENT, t) for t in texts)
    return (texts if heads_found and figures_found and percent_found else None), texts


texts = wait_for(30, "the headings and figures were not all readable", figures_filled)
for heading, pattern in FIGURES:
    print(f"ok: reads {next(t for t in texts if re.match(pattern, t))!r}")
if any(h in texts for h, _ in FIGURES):
    fail(f"a caption reads apart from its figure: {texts}")
print(f"ok: reads 'Free Memory In Percent' and {next(t for t in texts if re.match(PERCENT, t))!r}")
for t in ("Kelvane",):
    if t not in texts:
        fail(f"the banner's title {t!r} is not readable: {texts}")

objects = readable(window)
if "Physical Memory" not in names(objects, R.PANEL):
    fail(f"no group named 'Physical Memory': {listed(objects)}")
pictures = [(r.value_nick, n) for r, n, _ in objects if r == R.IMAGE]
if pictures:
    fail(f"the banner's picture is decoration, yet it is in the tree: {pictures}")
unnamed = [(r.value_nick, n) for r, n, node in objects if not n and node is not window]
if unnamed:
    fail(f"objects on screen with no name: {unnamed}")
fillers = [n for r, n, _ in objects if r == R.FILLER]
if fillers:
    fail(f"filler objects on screen: {fillers}")
# The working copies of the figures, the credit and the working bar lie outside the client area:
# nobody sees them, and they are not in the tree at all.
outside = [(n.get_role().value_nick, n.get_name()) for n in walk(window)
           if n.get_name() == "Kelvane developers" or (n.get_role() == R.PROGRESS_BAR and not n.get_name())]
if outside:
    fail(f"what lies outside the client area is in the tree: {outside}")
print("ok: the group and the title are named; the picture and what lies off-screen are not in the tree")


# A reader reads a focused group's unrelated texts: the figures must stand alone.
related = [n for r, n, node in readable(window) if r == R.LABEL and node.get_relation_set()]
if related:
    fail(f"texts related to others, which a reader skips in the group: {related}")
print("ok: no text is related to another")

bar = find(objects, R.PROGRESS_BAR, "Free Memory In Percent")
if bar is None:
    fail(f"no progress bar named 'Free Memory In Percent': {listed(objects)}")
if "Value" not in bar.get_interfaces():
    fail("the free-share bar has no value")
if bar.get_state_set().contains(Atspi.StateType.FOCUSABLE):
    fail("the free-share bar takes the focus: Tab should move between the buttons only")


def bar_matches_percent():
    shown = [int(re.match(PERCENT, t).group(1)) for t in names(readable(window), R.LABEL) if re.match(PERCENT, t)]
    v = value_of(bar)
    ok = shown and v == shown[0] and bar.get_minimum_value() == 0 and bar.get_maximum_value() == 100
    return ok, (v, shown)


wait_for(10, "the bar's value never matched the percentage shown", bar_matches_percent)
print(f"ok: the bar reads {value_of(bar):g} of 0..100, as the percentage beside it")
# Qt's AT-SPI bridge lists Increase and Decrease for every object with a value and cannot be told
# otherwise; the bar adds none of its own, and neither step may move it.
BRIDGE_STEPS = ["Increase", "Decrease"]
bar_actions = action_names(bar)
if [a for a in bar_actions if a not in BRIDGE_STEPS]:
    fail(f"the free-share bar offers actions: {bar_actions}")
for i, step in enumerate(bar_actions):
    before = value_of(bar)
    answer = bar.do_action(i)
    after = value_of(bar)
    if abs(after - before) > 1:
        fail(f"{step} moved the free-share bar from {before:g} to {after:g}")
    print(f"ok: {step} (listed by the bridge, answered {answer}) leaves the bar at {after:g}")
print("ok: the free-share bar offers no action of its own")

optimize = find(objects, R.PUSH_BUTTON, "Optimize")
end = find(objects, R.PUSH_BUTTON, "End")
if optimize is None or end is None:
    fail(f"the buttons are not readable: {listed(objects)}")
# From here a reader listens to changes: a run moves the free figure and the indicator. The
# listener only records: the window answers no question while a run reserves memory, and a question
# asked from the listener would hold up the Press below until the reservation ends. Newer bridges
# send a change's new text with it; older ones send only the object, whose text is read back.
heard = []


def on_event(event):
    text = event.any_data if isinstance(event.any_data, str) else None
    heard.append((event.type.rsplit(":", 1)[1], event.source, text))


listener = Atspi.EventListener.new(on_event)
for change in ("accessible-name", "accessible-value", "accessible-description"):
    listener.register("object:property-change:" + change)
# The registry tells the window of each listener before it answers the registration, and the window
# takes that word and the question below through its event loop in order: once the answer is here,
# the window sends what the listener asked for.
optimize.clear_cache()
optimize.get_description()


def described():
    return [text for t, _, text in heard if t == "accessible-description"]


press = action_names(optimize).index("Press")
# The call dispatches the changes that arrive before its answer: a Press that waited for the run
# would come back after both of the run's descriptions. One may come with a prompt answer on a busy
# machine, when the run has started by the time the reader reads.
if not optimize.do_action(press):
    fail("Press on Optimize was refused")
if len(described()) >= 2:
    fail(f"Press on Optimize answered only after the run had ended: heard {described()} first")
print("ok: Press on Optimize answered while the run went on")

wait_for(240, "the run never told its start", lambda: (len(described()) >= 1, len(heard)))
began = described()[0]
if began is None:
    # Asked during the run, the question is answered at the release's first pause. A reader that asks
    # only after the run's end hears "Finished", but the window sent the end's change before that
    # answer, so the change is here by then.
    optimize.clear_cache()
    began = optimize.get_description()
    pump(0.1)
    if began.startswith("Finished") and len(described()) >= 2:
        began = "Running"
wait_for(240, "the run never told its end", lambda: (len(described()) >= 2, described()))
optimize.clear_cache()
ended = described()[1] or optimize.get_description()
if began != "Running" or not ended.startswith("Finished: held ") or len(described()) != 2:
    fail(f"Optimize described the run as {began!r} at its start and {ended!r} at its end ({described()})")
said = [(t, s.get_role(), s.get_name()) for t, s, _ in heard]
if [n for t, r, n in said if t == "accessible-description"] != ["Optimize", "Optimize"]:
    fail(f"the run's start and end were not told by Optimize alone: {said}")
steps = [i for i, (t, r, n) in enumerate(said) if t == "accessible-value" and r == R.PROGRESS_BAR and n == "Optimize"]
told = [i for i, (t, _, _) in enumerate(said) if t == "accessible-description"]
if not steps:
    fail(f"the indicator's value changes were not heard: {said[:10]}")
if not told[0] < steps[0] <= steps[-1] < told[1]:
    fail(f"the indicator moved outside the run's start and end: {said}")
print(f"ok: Optimize told the run's start ('Running') and what it did ({ended!r}), {len(steps)} indicator steps between")


def free_figure_renamed():
    renamed = [text or s.get_name() for t, s, text in heard if t == "accessible-name"]
    return any(re.match(FIGURES[2][1], n) for n in renamed), sorted(set(renamed))[:10]


# The figures follow the refresh timer, which may next tick after the run's end.
wait_for(30, "no name change of the free figure was heard", free_figure_renamed)
print("ok: heard the free figure change")
window.clear_cache()
if any(showing(n) for n in walk(window) if n.get_role() == R.PROGRESS_BAR and n.get_name() == "Optimize"):
    fail("the Optimize indicator still shows after the run")
print("ok: the indicator is gone once the run ends")

press = action_names(end).index("Press")
try:
    end.do_action(press)
except GLib.GError as e:
    # End ends the process at once: its answer can lose the race with the exit.
    if "disconnected" not in str(e):
        raise
print("ok: End pressed")
