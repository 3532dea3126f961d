#!/usr/bin/env python3
"""Plants faults one at a time and reports which ones the tests catch.

Each line of a fault file is `path<TAB>original<TAB>replacement[<TAB>note]`, paths relative to the
repository; `\\n`, `\\t` and `\\\\` in the two texts stand for a line break, a tab and a backslash.
Blank lines and lines starting with `#` are skipped, except `# target: NAME`, `# filter: PATTERN`
and `# timeout: SECONDS`, which give the file's own defaults for the options of the same names. The
original text must occur exactly once in its file. For each fault the file is changed, the test
program rebuilt and run, and the file put back whatever happens. A fault is caught when the tests
fail or crash. A run that outlives the timeout is killed and reported as hung, apart from the caught
ones: a test that hangs instead of failing needs fixing. A fault that does not build is reported
apart and counts as neither.

    scripts/mutate.py tests/controls/button/paint_faults.tsv
    scripts/mutate.py --filter 'ButtonPainting*' tests/controls/button/paint_faults.tsv
    scripts/mutate.py --check $(git ls-files '*_faults.tsv')   # every original still there, once

Expects a configured dev build (cmake --preset dev).
"""
import argparse
import os
import pathlib
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "t": "\t", "\\": "\\"}.get(text[i + 1], "\\" + text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


DIRECTIVES = ("target", "filter", "timeout")


def read_faults(path):
    faults, directives = [], {}
    for number, line in enumerate(pathlib.Path(path).read_text().splitlines(), 1):
        if line.startswith("#"):
            name, colon, value = line[1:].strip().partition(":")
            if colon and name.strip() in DIRECTIVES:
                directives[name.strip()] = value.strip()
            continue
        if not line.strip():
            continue
        fields = line.split("\t")
        if len(fields) not in (3, 4):
            sys.exit(f"{path}:{number}: expected 3 or 4 tab-separated fields, found {len(fields)}")
        note = fields[3] if len(fields) == 4 else fields[1].strip()[:60]
        faults.append((number, fields[0], unescape(fields[1]), unescape(fields[2]), note))
    return faults, directives


def stale_faults(path, faults):
    """A line each for the faults whose original text is not in its file exactly once."""
    stale = []
    for number, rel, original, _, _ in faults:
        file = ROOT / rel
        count = file.read_text().count(original) if file.is_file() else 0
        if count != 1:
            stale.append(f"{path}:{number}: the original text occurs {count} times in {rel}")
    return stale


def run(cmd, timeout=None, env=None):
    """(exit status, output); the status is None when the run outlived `timeout` and was killed."""
    # A session of its own, so a timeout ends whatever the run started too.
    with subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env,
                          start_new_session=True) as process:
        try:
            out, _ = process.communicate(timeout=timeout)
            return process.returncode, out.decode(errors="replace")
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            out, _ = process.communicate()
            return None, out.decode(errors="replace")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("faults", nargs="+", help="fault file (several with --check)")
    parser.add_argument("--check", action="store_true", help="only check that each original text "
                        "occurs once in its file, so a list keeps up with the code it plants faults in")
    parser.add_argument("--build-dir", default="build/dev")
    parser.add_argument("--target", help="the one test program to rebuild and run (default: the file's "
                        "own, else controls_tests)")
    parser.add_argument("--filter", help="gtest filter for the run (default: the file's own, else all)")
    parser.add_argument("--timeout", type=int, help="seconds before a run counts as hung (default: the "
                        "file's own, else four times the unchanged run and 30 s more)")
    parser.add_argument("--jobs", default="2")
    args = parser.parse_args()

    # A plain kill must still put the planted file back (the `finally` below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    if args.check:
        stale = [problem for path in args.faults for problem in stale_faults(path, read_faults(path)[0])]
        print("\n".join(stale) or f"{len(args.faults)} fault lists, every original in place")
        return 1 if stale else 0
    if len(args.faults) != 1:
        parser.error("one fault file at a time, unless --check")
    args.faults = args.faults[0]
    faults, directives = read_faults(args.faults)
    args.target = args.target or directives.get("target", "controls_tests")
    args.filter = args.filter or directives.get("filter", "*")
    if args.timeout is None and "timeout" in directives:
        args.timeout = int(directives["timeout"])
    stale = stale_faults(args.faults, faults)
    if stale:
        sys.exit("\n".join(stale))
    build = ["cmake", "--build", args.build_dir, "-j", args.jobs, "--target", args.target]
    binary = ROOT / args.build_dir / "tests" / args.target
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    test = [str(binary), f"--gtest_filter={args.filter}", "--gtest_brief=1"]

    # The tests must pass before anything is planted, or every fault would look caught.
    code, log = run(build)
    if code != 0:
        sys.exit("the unchanged tree does not build:\n" + log[-3000:])
    started = time.monotonic()
    code, log = run(test, args.timeout or 600, env)
    if code != 0:
        sys.exit("the tests fail before any fault is planted:\n" + log[-3000:])
    if args.timeout is None:
        args.timeout = int(4 * (time.monotonic() - started)) + 30
    print(f"{args.faults}: {len(faults)} faults, {args.target} --gtest_filter='{args.filter}', "
          f"{args.timeout} s per run", flush=True)

    caught, survived, hung, unbuilt = [], [], [], []
    for number, rel, original, replacement, note in faults:
        path = ROOT / rel
        source = path.read_text()
        try:
            path.write_text(source.replace(original, replacement))
            code, log = run(build)
            if code != 0:
                unbuilt.append(note)
                verdict = "does not build"
            else:
                code, log = run(test, args.timeout, env)
                failed = sorted({l.split("] ", 1)[-1].split(", where ")[0].split(" (")[0]
                                 for l in log.splitlines() if l.startswith("[  FAILED  ]") and "(" in l})
                if code == 0:
                    survived.append(note)
                    verdict = "SURVIVED"
                elif code is None:
                    hung.append(note)
                    verdict = f"HUNG (killed after {args.timeout} s)"
                else:
                    caught.append(note)
                    why = "crashed" if code < 0 else f"{len(failed)} failing"
                    verdict = f"caught ({why}{': ' + failed[0] if failed else ''})"
        finally:
            path.write_text(source)
        print(f"{number:4} {rel}: {note}: {verdict}", flush=True)

    run(build)  # leave the program built from the unchanged tree
    planted = len(caught) + len(survived) + len(hung)
    print(f"{args.faults}: caught {len(caught)}/{planted} planted faults"
          + (f"; {len(hung)} only by the timeout (hung)" if hung else "")
          + (f" ({len(unbuilt)} did not build)" if unbuilt else ""), flush=True)
    return 0 if not survived and not hung else 1


if __name__ == "__main__":
    sys.exit(main())
