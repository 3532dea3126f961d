"""Asks Kelvane over AT-SPI, every 100 ms, for the Optimize button's description and the indicator's
value, and logs how long each answer took: shows whether the window keeps answering during a run."""
import sys, time, datetime, gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi
PID, SECONDS = int(sys.argv[1]), float(sys.argv[2])
Atspi.set_timeout(60000, 60000)
d = Atspi.get_desktop(0)
app = None
for _ in range(300):
    apps = [d.get_child_at_index(i) for i in range(d.get_child_count())]
    app = next((a for a in apps if a and a.get_process_id() == PID), None)
    if app: break
    time.sleep(0.1)
frame = app.get_child_at_index(0)
kids = [frame.get_child_at_index(i) for i in range(frame.get_child_count())]
button = next(k for k in kids if k.get_role() == Atspi.Role.PUSH_BUTTON and k.get_name() == "Optimize")
bar = next(k for k in kids if k.get_role() == Atspi.Role.PROGRESS_BAR and k.get_name() == "Optimize")
end = time.monotonic() + SECONDS
while time.monotonic() < end:
    t0 = time.monotonic()
    button.clear_cache(); bar.clear_cache()
    desc = button.get_description()
    val = bar.get_current_value()
    showing = bar.get_state_set().contains(Atspi.StateType.SHOWING)
    dt = time.monotonic() - t0
    print(f"{datetime.datetime.now():%H:%M:%S.%f} - PROBE: answered in {dt*1000:.0f} ms: description={desc!r} indicator={val:g} showing={showing}", flush=True)
    time.sleep(0.1)
