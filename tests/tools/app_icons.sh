#!/usr/bin/env bash
# The pictures committed in app/resources are what tools/make_app_icons draws: the same set of files,
# the same SVG, and each PNG the same picture at the same size, give or take one rasteriser's rounding
# of edge pixels against another's. A shape changed in the tool and not drawn again into
# app/resources, or a size added to the window icon without its picture, fails here.
set -euo pipefail
MAKE_APP_ICONS=$1
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
source "$SOURCE/tests/packaging/checks.bash"
committed=$SOURCE/app/resources

drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT
# The pictures are judged here; the leak checker judges the programs that ship.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 QT_QPA_PLATFORM=offscreen "$MAKE_APP_ICONS" "$drawn"

check "the tool draws exactly the committed pictures" \
  diff <(ls "$drawn") <(cd "$committed" && ls ./*.png ./*.svg | sed 's|^\./||')
check "the committed SVG is the tool's" cmp "$drawn/kelvane.svg" "$committed/kelvane.svg"
for png in "$drawn"/*.png; do
  name=$(basename "$png")
  check "$name has the drawn size" expect_output "$(identify -format '%wx%h' "$png")" \
    identify -format '%wx%h' "$committed/$name"
  # A step or two of colour at a half-covered edge pixel is rounding; a moved or recoloured shape is not.
  check "$name is the drawn picture" expect_output 0 differing_pixels "$png" "$committed/$name" 3%
done
finish app_icons
