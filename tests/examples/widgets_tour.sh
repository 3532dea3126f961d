#!/usr/bin/env bash
# examples/widgets_tour as another project builds it: against the library installed into a scratch
# prefix, with this build's compiler flags (so under the sanitizers it is a sanitizer build too),
# into BUILD/examples (the prefix and the tour, kept for the AT-SPI test); then its self-test at
# scales 1, 1.25, 1.5 and 2.
#   tests/examples/widgets_tour.sh BUILD [GRABS]   GRABS: a folder for the self-test's pictures
set -euo pipefail
BUILD=$(cd "$1" && pwd)
GRABS=${2:-}
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
source "$SOURCE/tests/packaging/checks.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$BUILD/examples/prefix
rm -rf "$prefix"
for component in runtime development; do
  cmake --install "$BUILD" --prefix "$prefix" --component $component >>"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; exit 1; }
done
libdir=$(cd "$prefix" && dirname "$(find . -name 'libKelvaneWidgets.so.0' -printf '%P\n')")

cache() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt"; }
tour=$BUILD/examples/widgets_tour
check "the tour configures with find_package(KelvaneWidgets)" \
  cmake -S "$SOURCE/examples/widgets_tour" -B "$tour" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DCMAKE_CXX_COMPILER="$(cache CMAKE_CXX_COMPILER)" \
  -DCMAKE_CXX_FLAGS="$(cache CMAKE_CXX_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(cache CMAKE_EXE_LINKER_FLAGS)"
check "the tour builds against the installed package" cmake --build "$tour"
mkdir -m 0700 "$work/run"
for scale in 1 1.25 1.5 2; do
  check "the tour's self-test at scale $scale" \
    env QT_SCALE_FACTOR=$scale LD_LIBRARY_PATH="$prefix/$libdir" QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$work/run" "$tour/widgets_tour" --self-test $GRABS
done
finish widgets_tour
