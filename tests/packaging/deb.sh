#!/usr/bin/env bash
# Builds the four Debian packages from the build tree and checks each one's control fields, contents
# and lintian's verdict (nothing to warn of); unpacks them into one root and runs the unpacked
# program, which finds the unpacked library, under Xvfb: the window appears and "End" ends it.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
BUILD=$(cd "$1" && pwd)
here=$(dirname "$0")
source "$here/checks.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
arch=$(dpkg --print-architecture)
lib=libkelvanewidgets0
root=$work/root

# Errors and warnings fail, and so do the hardening and strip findings lintian files as information.
lintian_findings() {
  lintian --display-info "$1" 2>&1 | grep -v 'running with root privileges' |
    grep -E '^[EW]: |^I: .* (hardening-|binary-has-unneeded-section)' || true
}
# owner LIBRARY: the package that holds LIBRARY (a file name such as libQt6Core.so.6) on this system,
# whatever its release calls it: libqt6core6 here, libqt6core6t64 where the 64-bit time change
# renamed it.
owner() {
  local owners
  # The loader's folder, under /usr or not: merged /usr holds it in both.
  owners=$(dpkg-query -S "*/$MULTIARCH/$1" 2>/dev/null | sed -n "s|^\(.*\): \(/usr\)\{0,1\}/lib/$MULTIARCH/$1\$|\1|p" |
    tr ',' '\n' | sed 's/^ *//; s/:.*//' | sort -u)
  [ "$(wc -w <<<"$owners")" = 1 ] || { echo "not one package holds $1: ${owners:-none}" >&2; return 1; }
  echo "$owners"
}
# has_relation FIELD DEB NEED...: DEB's FIELD names every NEED. NEED= asks for this very version; a
# library file name stands for the package that holds it.
has_relation() {
  local field=$1 deb=$2 relations r
  relations=", $(dpkg-deb -f "$deb" "$field"),"
  for r in "${@:3}"; do
    case $r in
      *=) r="${r%=} (= $DEB_VERSION)" ;;
      *.so.*) r=$(owner "$r") || return 1 ;;
    esac
    grep -qF -e ", $r " -e ", $r," <<<"$relations" || { echo "$field: ${relations:2:-1}"; echo "lacks $r"; return 1; }
  done
}

# Each package, its section and what its Depends must name: the library at this very version, the
# packages of the libraries the binaries link, as dpkg-shlibdeps finds them (qt6-base-dev is named by
# hand).
while read -r -u 3 package section needs; do
  deb="$work/out/${package}_${DEB_VERSION}_$arch.deb"
  [ -f "$deb" ] || { echo "FAIL: no $deb; cpack made: $(ls "$work/out")" >&2; failed=$((failed + 1)); continue; }
  echo "$package: $(stat -c %s "$deb") bytes; Depends: $(dpkg-deb -f "$deb" Depends)"
  check "$package Package" expect_output "$package" dpkg-deb -f "$deb" Package
  check "$package Version" expect_output "$DEB_VERSION" dpkg-deb -f "$deb" Version
  check "$package Section" expect_output "$section" dpkg-deb -f "$deb" Section
  check "$package Architecture" expect_output "$arch" dpkg-deb -f "$deb" Architecture
  check "$package Maintainer and Description" test -n "$(dpkg-deb -f "$deb" Maintainer)" -a -n "$(dpkg-deb -f "$deb" Description)"
  check "$package Depends" has_relation Depends "$deb" $needs
  check "$package holds exactly its files" \
    diff <(package_files "$package" | sed 's|^|usr/|' | sort) <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 3) }' | sort)
  check "$package: lintian finds nothing to warn of" expect_output "" lintian_findings "$deb"
  dpkg-deb -x "$deb" "$root"
  check "$package: the changelog's newest entry is this version" \
    sh -c "zcat '$root/usr/share/doc/$package/changelog.Debian.gz' | head -1 | grep -qF 'kelvane ($DEB_VERSION) '"
done 3<<PACKAGES
kelvane utils libc.so.6 libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6
$lib libs libc.so.6 libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6
libkelvanewidgets-dev libdevel $lib= qt6-base-dev
kelvane-widgets-designer devel $lib= libc.so.6 libQt6Core.so.6 libQt6Designer.so.6
PACKAGES
[ "$failed" = 0 ] || finish deb

check "kelvane recommends the fonts its layout names, Qt's Wayland platform and a notification service" \
  has_relation Recommends "$work/out/kelvane_${DEB_VERSION}_$arch.deb" fonts-liberation2 qt6-wayland notification-daemon
check "kelvane suggests the extension with which GNOME hosts its panel item" \
  has_relation Suggests "$work/out/kelvane_${DEB_VERSION}_$arch.deb" gnome-shell-extension-appindicator

libdeb=$work/out/${lib}_${DEB_VERSION}_$arch.deb
control() { dpkg-deb --ctrl-tarfile "$libdeb" | tar -xO "./$1"; }
check "$lib maps the SONAME to itself, this version or later" \
  expect_output "libKelvaneWidgets ${VERSION%%.*} $lib (>= $DEB_VERSION)" control shlibs
check "$lib has dpkg run ldconfig by its trigger, with no maintainer script" \
  expect_output "control md5sums shlibs triggers" sh -c "dpkg-deb --ctrl-tarfile '$libdeb' | tar -t | sed -n 's|^\./\(.\)|\1|p' | sort | xargs"
check "$lib's trigger is ldconfig's" expect_output "activate-noawait ldconfig" control triggers
check "the link name leads to the library" test -f "$root/usr/lib/$MULTIARCH/libKelvaneWidgets.so"
for binary in usr/bin/kelvane "usr/lib/$MULTIARCH/kelvane/kelvane-window.so" "usr/lib/$MULTIARCH/libKelvaneWidgets.so.$VERSION" \
              "usr/lib/$MULTIARCH/qt6/plugins/designer/libkelvanewidgets_designer.so"; do
  name=$(basename "$binary")
  check "$name is stripped, the compiler's notes too" \
    sh -c "! readelf -S -W '$root/$binary' | grep -qE ' \.(debug_info|comment|note) '"
  # lintian does not look for the stack protector; a protected function calls this on a smashed stack.
  check "$name is built with the stack protector" \
    sh -c "readelf --dyn-syms -W '$root/$binary' | grep -q ' __stack_chk_fail'"
  check "$name finds every library it needs" sh -c "! ldd '$root/$binary' | grep 'not found'"
done
check "the program carries the controls itself" sh -c "! ldd '$root/usr/lib/$MULTIARCH/kelvane/kelvane-window.so' | grep -q libKelvaneWidgets"
check "the program itself loads no Qt: --status does without it" sh -c "! ldd '$root/usr/bin/kelvane' | grep -q libQt"
check_desktop_entry "$root/usr/share/applications/$ID.desktop"
check_metainfo "$root/usr/share/metainfo/$ID.metainfo.xml"
check "the unpacked program answers --version" expect_output "kelvane $VERSION" "$root/usr/bin/kelvane" --version
[ "$failed" = 0 ] || finish deb

# The unpacked program runs as a user would start it.
KELVANE="$root/usr/bin/kelvane"
source "$here/../e2e/lib.bash"
start_kelvane
[ "$WW" = 359 ] && [ "$WH" = 305 ] || fail "client area is ${WW}x${WH}, expected 359x305"
click_end_expect_exit
passed=$((passed + 1))
finish deb
