#!/usr/bin/env python3
"""Plants faults one at a time and reports which ones the tests catch.

Each line of a fault file is `path<TAB>original<TAB>replacement[<TAB>note]`, paths relative to the
repository; `\\n`, `\\t` and `\\\\` in the two texts stand for a line break, a tab and a backslash.
Blank lines and lines starting with `#` are skipped. The original text must occur exactly once in
its file. For each fault the file is changed, the test program rebuilt and run, and the file put
back whatever happens. A fault is caught when the tests fail, crash or time out; one that does not
build is reported apart and counts as neither.

    scripts/mutate.py tests/controls/button/paint_faults.tsv
    scripts/mutate.py --filter 'ButtonPainting*' tests/controls/button/paint_faults.tsv

Expects a configured dev build (cmake --preset dev).
"""
import argparse
import os
import pathlib
import subprocess
import sys

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


def read_faults(path):
    faults = []
    for number, line in enumerate(pathlib.Path(path).read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) not in (3, 4):
            sys.exit(f"{path}:{number}: expected 3 or 4 tab-separated fields, found {len(fields)}")
        note = fields[3] if len(fields) == 4 else fields[1].strip()[:60]
        faults.append((number, fields[0], unescape(fields[1]), unescape(fields[2]), note))
    return faults


def run(cmd, timeout=None, env=None):
    try:
        done = subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout,
                              env=env)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timed out"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("faults", help="fault file")
    parser.add_argument("--build-dir", default="build/dev")
    parser.add_argument("--target", default="controls_tests", help="the one test program to rebuild and run")
    parser.add_argument("--filter", default="*", help="gtest filter for the run")
    parser.add_argument("--timeout", type=int, default=300, help="seconds before a run counts as hung")
    parser.add_argument("--jobs", default="2")
    args = parser.parse_args()

    faults = read_faults(args.faults)
    for number, rel, original, _, _ in faults:
        count = (ROOT / rel).read_text().count(original)
        if count != 1:
            sys.exit(f"{args.faults}:{number}: the original text occurs {count} times in {rel}")
    build = ["cmake", "--build", args.build_dir, "-j", args.jobs, "--target", args.target]
    binary = ROOT / args.build_dir / "tests" / args.target
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    test = [str(binary), f"--gtest_filter={args.filter}", "--gtest_brief=1"]

    # The tests must pass before anything is planted, or every fault would look caught.
    code, log = run(build)
    if code != 0:
        sys.exit("the unchanged tree does not build:\n" + log[-3000:])
    code, log = run(test, args.timeout, env)
    if code != 0:
        sys.exit("the tests fail before any fault is planted:\n" + log[-3000:])

    caught, survived, unbuilt = [], [], []
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
                else:
                    caught.append(note)
                    why = "hung" if code is None else ("crashed" if code < 0 else f"{len(failed)} failing")
                    verdict = f"caught ({why}{': ' + failed[0] if failed else ''})"
        finally:
            path.write_text(source)
        print(f"{number:4} {rel}: {note}: {verdict}", flush=True)

    run(build)  # leave the program built from the unchanged tree
    planted = len(caught) + len(survived)
    print(f"caught {len(caught)}/{planted} planted faults" + (f" ({len(unbuilt)} did not build)" if unbuilt else ""))
    return 0 if not survived else 1


if __name__ == "__main__":
    sys.exit(main())
