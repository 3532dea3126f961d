#!/usr/bin/env bash
# `cmake --install` into a scratch prefix, checked as a desktop would read it: exactly the files of the
# four packages (program, widget library, its development files, Designer plugin), a valid desktop
# entry and AppStream metadata, every icon at the size its folder names, and a man page that renders
# without warnings.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
source "$SOURCE/tests/packaging/checks.bash"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$BUILD" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; rm -f "$prefix.log"; exit 1; }
rm -f "$prefix.log"
cd "$prefix"

check "installs exactly the files the four packages hold, each in one" \
  diff <(for p in $PACKAGES; do package_files "$p"; done | sort) <(find . ! -type d -printf '%P\n' | sort)
# No loader path leads here: the program finds the library by its own place.
check "the installed program runs from the prefix as it is" expect_output "kelvane $VERSION" bin/kelvane --version

check_desktop_entry share/applications/$ID.desktop
check_metainfo share/metainfo/$ID.metainfo.xml
for n in $ICON_SIZES; do
  check "icon ${n}x${n}" expect_output "${n}x${n}" identify -format '%wx%h' share/icons/hicolor/${n}x${n}/apps/$ID.png
done
for n in $ICON_SIZES; do
  check "the ${n} px theme icon is the window's own" expect_output 0 \
    differing_pixels share/icons/hicolor/${n}x${n}/apps/$ID.png "$SOURCE/app/resources/kelvane$n.png"
done
check "scalable icon is an SVG on the icon's 32-unit grid" \
  grep -q '<svg [^>]*viewBox="0 0 32 32"' share/icons/hicolor/scalable/apps/$ID.svg
check_man_page share/man/man1/kelvane.1.gz
# Debian's form: the most compression, and no file name or time stored to make builds differ.
for f in share/man/man1/kelvane.1.gz share/doc/kelvane/changelog.Debian.gz; do
  check "$f is gzip -9n" sh -c "zcat '$f' | gzip -9n | cmp -s - '$f'"
done

finish installed_tree
