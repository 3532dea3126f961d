#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with warnings as errors and runs the whole
# suite: unit tests on Qt's offscreen platform, end-to-end tests under Xvfb, the installed tree and the
# Debian package, then the unit tests and a real window's life again with AddressSanitizer, UBSan and
# the leak checker, and last every fuzz target for 30 s. Each phase prints its time.
#   scripts/test.sh               everything
#   scripts/test.sh --dev-only    formatting, the dev build and its tests (no sanitizers, no fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
dev_only=false
case "${1:-}" in
  "") ;;
  --dev-only) dev_only=true ;;
  *) echo "usage: scripts/test.sh [--dev-only]" >&2; exit 2 ;;
esac
jobs=$(nproc)
source scripts/phase.bash

# One clang-format version formats the tree: each version breaks some lines its own way, so a check
# with any other would fail on code this one accepts.
check_formatting() {
  if ! command -v clang-format-14 >/dev/null; then
    echo "Formatting not checked: the check uses clang-format 14 (Debian 12's clang-format-14), not installed here"
    return 0
  fi
  find app bench controls designer examples fuzz platform tests tools widgets -name '*.cpp' -o -name '*.h' |
    xargs clang-format-14 --dry-run --Werror
}

build_and_test() {
  cmake --preset "$1" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

phase "install dependencies" bash scripts/install-deps.sh
phase "formatting" check_formatting
phase "dev build and tests" build_and_test dev
$dev_only && exit 0

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
phase "sanitizer build and tests" build_and_test asan
phase "a real window's life under the sanitizers" bash tests/e2e/closed_by_wm.sh build/asan/kelvane
phase "fuzzing" bash scripts/fuzz.sh
