#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its control fields and contents, has lintian
# find nothing to warn of and the program built hardened, unpacks it with dpkg-deb and runs the
# unpacked program under Xvfb: the window appears and "End" ends it.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
BUILD=$1
ID=io.github.kelvane.Kelvane
here=$(dirname "$0")
source "$here/checks.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
deb="$work/out/kelvane_${DEB_VERSION}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: no $deb; cpack made: $(ls "$work/out")" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
echo "depends: $(dpkg-deb -f "$deb" Depends)"

check "Package" expect_output kelvane dpkg-deb -f "$deb" Package
check "Version" expect_output "$DEB_VERSION" dpkg-deb -f "$deb" Version
check "Section" expect_output utils dpkg-deb -f "$deb" Section
check "Maintainer" test -n "$(dpkg-deb -f "$deb" Maintainer)"
check "Description" test -n "$(dpkg-deb -f "$deb" Description)"
# Computed by dpkg-shlibdeps from what the program links, so Qt and the C library must be there.
depends=", $(dpkg-deb -f "$deb" Depends),"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  check "Depends names $lib" test -n "$(grep -F -e ", $lib " -e ", $lib," <<<"$depends")"
done

expected="usr/bin/kelvane
usr/share/applications/$ID.desktop
usr/share/doc/kelvane/changelog.Debian.gz
usr/share/doc/kelvane/copyright
usr/share/lintian/overrides/kelvane
usr/share/man/man1/kelvane.1.gz
usr/share/metainfo/$ID.metainfo.xml
usr/share/icons/hicolor/scalable/apps/$ID.svg"
for n in 16 22 24 32 48 64 128 256; do expected+=$'\n'"usr/share/icons/hicolor/${n}x${n}/apps/$ID.png"; done
dpkg-deb -x "$deb" "$work/root"
check "holds exactly the program and its desktop files, no tests or tools" \
  diff <(sort <<<"$expected") <(cd "$work/root" && find . -type f -printf '%P\n' | sort)
check "the program is stripped" sh -c "! readelf -S '$work/root/usr/bin/kelvane' | grep -q '\.debug_info'"
# Errors and warnings fail, and so do the hardening and strip findings lintian files as information.
lintian_findings() {
  lintian --display-info "$1" 2>&1 | grep -v 'running with root privileges' |
    grep -E '^[EW]: |^I: .* (hardening-|binary-has-unneeded-section)' || true
}
check "lintian finds nothing to warn of" expect_output "" lintian_findings "$deb"
# lintian does not look for the stack protector; a protected function calls this on a smashed stack.
check "the program is built with the stack protector" \
  sh -c "readelf --dyn-syms -W '$work/root/usr/bin/kelvane' | grep -q ' __stack_chk_fail'"
check "the changelog's newest entry is this version" \
  sh -c "zcat '$work/root/usr/share/doc/kelvane/changelog.Debian.gz' | head -1 | grep -qF 'kelvane ($DEB_VERSION) '"
check_desktop_entry "$work/root/usr/share/applications/$ID.desktop"
check_metainfo "$work/root/usr/share/metainfo/$ID.metainfo.xml"
check "the unpacked program answers --version" \
  expect_output "kelvane $VERSION" "$work/root/usr/bin/kelvane" --version
[ "$failed" = 0 ] || finish deb

# The unpacked program runs as a user would start it.
KELVANE="$work/root/usr/bin/kelvane"
source "$here/../e2e/lib.bash"
start_kelvane
[ "$WW" = 359 ] && [ "$WH" = 305 ] || fail "client area is ${WW}x${WH}, expected 359x305"
click_end_expect_exit
passed=$((passed + 1))
finish deb
