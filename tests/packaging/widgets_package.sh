#!/usr/bin/env bash
# KelvaneWidgets as another project meets it: `cmake --install` into a scratch prefix, no build path
# in what is installed, and the example (examples/widgets_demo, a .ui form with both controls)
# configured with find_package against that prefix alone, built and run.
set -euo pipefail
BUILD=$1
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
source "$SOURCE/tests/packaging/checks.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; exit 1; }
libdir=$(cd "$prefix" && dirname "$(find . -name 'libKelvaneWidgets.so.0' -printf '%P\n')")

check "the library has a SONAME with its major version" \
  sh -c "readelf -d '$prefix/$libdir/libKelvaneWidgets.so.0' | grep -q 'SONAME.*\[libKelvaneWidgets.so.0\]'"
check "the library exports the public classes" \
  sh -c "nm -DC --defined-only '$prefix/$libdir/libKelvaneWidgets.so.0' | grep -q 'Kelvane::chameleonButton::chameleonButton'"
check "the library exports nothing but the public classes" \
  sh -c "! nm -DC --defined-only '$prefix/$libdir/libKelvaneWidgets.so.0' | grep -v -e ' Kelvane::chameleonButton' -e ' Kelvane::Xp_ProgressBar' -e ' for Kelvane::chameleonButton$' -e ' for Kelvane::Xp_ProgressBar$' | grep ' [TWDBVRu] '"
check "public headers include only Qt and each other" sh -c "! grep -h '#include' '$prefix'/include/KelvaneWidgets/* | grep -v -e '<Q' -e '<KelvaneWidgets/' -e '<memory>' -e '\"'"
check "the package files name no build or source path" \
  sh -c "! grep -rl -e '$BUILD' -e '$SOURCE' '$prefix/$libdir/cmake'"
qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || /usr/lib/qt6/bin/qtpaths6 --query QT_INSTALL_PLUGINS)
check "the Designer plugin is in Qt's designer plugin folder, under the prefix" \
  test -f "$prefix/${qt_plugins#/usr/}/designer/libkelvanewidgets_designer.so"

# Outside the build tree: only the prefix tells CMake where the package is.
check "the example configures with find_package(KelvaneWidgets)" \
  cmake -S "$SOURCE/examples/widgets_demo" -B "$work/demo" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release
check "the example builds against the installed package" cmake --build "$work/demo"
# A session's private runtime folder, as a desktop gives every program (Qt warns without one).
mkdir -m 0700 "$work/run"
check "the example's form builds and its buttons work" \
  expect_output "version 2.0.6, blocks 30 of 100, marquee style 1, quit type 13" \
  env LD_LIBRARY_PATH="$prefix/$libdir" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" \
  "$work/demo/widgets_demo" --self-test
check "the example found the library in the prefix" \
  sh -c "LD_LIBRARY_PATH='$prefix/$libdir' ldd '$work/demo/widgets_demo' | grep -q '$prefix/$libdir/libKelvaneWidgets.so.0'"
finish widgets_package
