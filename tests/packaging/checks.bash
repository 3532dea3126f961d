# Shared checks of the packaging tests: each check counts and reports, so one run shows every fault.
set -euo pipefail
VERSION=$(sed -n 's/^project(kelvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../CMakeLists.txt")
# The package's version: the program's, then the Debian revision.
DEB_VERSION=$VERSION-$(sed -n 's/^set(KELVANE_DEBIAN_REVISION \([0-9]*\))$/\1/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../packaging/CMakeLists.txt")
passed=0 failed=0
ID=io.github.kelvane.Kelvane
ICON_SIZES="16 22 24 32 48 64 128 256"
MULTIARCH=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
PACKAGES="kelvane libkelvanewidgets0 libkelvanewidgets-dev kelvane-widgets-designer"

# package_files PACKAGE: the files (and links) PACKAGE holds, relative to the install prefix.
package_files() {
  local lib=lib/$MULTIARCH config
  config=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$BUILD/CMakeCache.txt" | tr '[:upper:]' '[:lower:]')
  config=${config:-noconfig}  # CMake's name for the targets of a build with no type
  config=${config:-noconfig}
  echo "share/doc/$1/changelog.Debian.gz"
  echo "share/doc/$1/copyright"
  case $1 in
    kelvane)
      echo bin/kelvane
      echo "$lib/kelvane/kelvane-window.so"
      echo "share/applications/$ID.desktop"
      echo share/man/man1/kelvane.1.gz
      echo "share/metainfo/$ID.metainfo.xml"
      echo "share/icons/hicolor/scalable/apps/$ID.svg"
      for n in $ICON_SIZES; do echo "share/icons/hicolor/${n}x${n}/apps/$ID.png"; done ;;
    libkelvanewidgets0)
      echo "share/lintian/overrides/$1"
      echo "$lib/libKelvaneWidgets.so.${VERSION%%.*}"
      echo "$lib/libKelvaneWidgets.so.$VERSION" ;;
    libkelvanewidgets-dev)
      echo "$lib/libKelvaneWidgets.so"
      for f in chameleonButton chameleonbutton.h Xp_ProgressBar xp_progressbar.h kelvanewidgets_export.h; do
        echo "include/KelvaneWidgets/$f"
      done
      for f in Config ConfigVersion Targets "Targets-$config"; do echo "$lib/cmake/KelvaneWidgets/KelvaneWidgets$f.cmake"; done ;;
    kelvane-widgets-designer)
      echo "$lib/qt6/plugins/designer/libkelvanewidgets_designer.so" ;;
  esac
}

# check NAME COMMAND...: runs COMMAND; its output is shown only when it fails.
check() {
  local name=$1 out
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name" >&2
    [ -z "$out" ] || sed 's/^/  /' <<<"$out" >&2
  fi
}

# expect_output WANTED COMMAND...: COMMAND succeeds and prints exactly WANTED.
expect_output() {
  local want=$1 out
  shift
  out=$("$@" 2>&1) || { echo "$out"; return 1; }
  [ "$out" = "$want" ] || { echo "printed: $out"; echo "wanted:  $want"; return 1; }
}

# differing_pixels A B [FUZZ]: how many pixels of two pictures differ by more than FUZZ (none by
# default). compare's first figure: ImageMagick 7.1.1-44 and later print a normalised one beside it.
differing_pixels() { compare -metric AE -fuzz "${3:-0}" "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# Any finding at all (even a hint or an info) fails: an entry that validates silently is the aim.
quiet_validator() { local out; out=$("$@" 2>&1) || { echo "$out"; return 1; }; [ -z "$(grep -v '^✔' <<<"$out" | grep -v '^$')" ] || { echo "$out"; return 1; }; }

# desktop_key FILE KEY [GROUP]: KEY's value in GROUP (the main group by default), not in the actions'.
desktop_key() { sed -n "/^\[${3:-Desktop Entry}\]\$/,/^\[/s/^$2=//p" "$1"; }

check_desktop_entry() {
  local f=$1
  check "desktop-file-validate $f" quiet_validator desktop-file-validate "$f"
  check "desktop entry Exec" expect_output kelvane desktop_key "$f" Exec
  check "desktop entry Icon" expect_output "$ID" desktop_key "$f" Icon
  check "desktop entry Categories" expect_output "System;Monitor;" desktop_key "$f" Categories
  for key in Name GenericName Comment; do
    check "desktop entry $key" test -n "$(desktop_key "$f" "$key")"
  done
  # A launcher's right-click menu: what each action runs.
  check "desktop entry Actions" expect_output "Optimize;ShowInPanel;" desktop_key "$f" Actions
  check "desktop action Optimize" expect_output "kelvane --optimize --notify" desktop_key "$f" Exec "Desktop Action Optimize"
  check "desktop action ShowInPanel" expect_output "kelvane --tray" desktop_key "$f" Exec "Desktop Action ShowInPanel"
}

check_metainfo() {
  local f=$1
  check "appstreamcli validate --no-net $f" quiet_validator appstreamcli validate --no-net "$f"
  check "metainfo id" grep -q "<id>$ID</id>" "$f"
  check "metainfo names the developer" grep -q "The Kelvane developers</" "$f"
  check "metainfo launchable" grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$f"
  check "metainfo release $VERSION" grep -Eq "<release version=\"$VERSION\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$f"
}

check_man_page() {
  local f=$1
  check "man page renders without warnings" expect_output "" sh -c "MANWIDTH=80 man --warnings -l '$f' 2>&1 >/dev/null"
  check "man page names the program" sh -c "MANWIDTH=80 man -l '$f' 2>/dev/null | cat | grep -q '^ *kelvane - '"
  check "man page carries the version" sh -c "MANWIDTH=80 man -l '$f' 2>/dev/null | cat | grep -q 'kelvane $VERSION'"
}

finish() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" = 0 ]
}
