# Runs the packaged /usr/bin/orca unchanged, except that its --debug-file is opened line-buffered,
# so every utterance is on disk the moment Orca logs it (even if Orca hangs or is killed).
import builtins, runpy, sys
_open = builtins.open
target = next((a.split("=", 1)[1] for a in sys.argv if a.startswith("--debug-file=")), None)
def _lb_open(file, mode="r", *a, **k):
    if target and file == target and "w" in mode:
        k["buffering"] = 1
    return _open(file, mode, *a, **k)
builtins.open = _lb_open
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
