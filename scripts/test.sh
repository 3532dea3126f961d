#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with warnings as errors and runs the whole
# suite: unit tests on Qt's offscreen platform, end-to-end tests under Xvfb, the installed tree and the
# Debian package, then the unit tests and a real window's life again with AddressSanitizer, UBSan and
# the leak checker, and last every fuzz target for 30 s.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

echo "Checking formatting (.clang-format)"
find app bench controls designer examples fuzz platform tests tools widgets -name '*.cpp' -o -name '*.h' |
  xargs clang-format --dry-run --Werror

cmake --preset dev -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

cmake --preset asan -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
ctest --preset asan -j "$jobs"
bash tests/e2e/closed_by_wm.sh build/asan/kelvane
bash scripts/fuzz.sh
