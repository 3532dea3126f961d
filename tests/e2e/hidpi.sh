#!/usr/bin/env bash
# At QT_SCALE_FACTOR=2 the window is twice its size and the controls' pixel-exact drawing is shown
# with each pixel as a 2 x 2 block: the End button around its caption and the progress bar's frame
# match the window at scale 1 enlarged without smoothing, so there is no blur and no seam. The
# caption itself is drawn at the screen's pixels, not enlarged. At 1.5 the window rounds to whole
# pixels and End still works.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"
shots=$(mktemp -d)
# KEEP_SHOTS=<folder> keeps the crops to look at.
trap '[ -n "${KEEP_SHOTS:-}" ] && cp -r "$shots" "$KEEP_SHOTS"; rm -rf "$shots"' EXIT

# Regions in logical pixels: the End button around its caption (its picture and frame), and the
# progress bar's left end and top two rows (its frame, clear of the blocks, whose number follows the
# free memory); then the caption.
REGIONS="end_left:36x26+274+274 end_right:20x26+330+274 end_top:76x8+274+274 end_bottom:76x8+274+292
         bar_left:4x12+28+165 bar_top:260x2+28+165"
CAPTION="end_caption:20x10+310+282"

# shoot SCALE: crops every region of the window at that scale into $shots/SCALE-NAME.png.
shoot() {
  local name w h x y
  for region in $REGIONS $CAPTION; do
    IFS=':x+' read -r name w h x y <<<"$region"
    import -window root -crop "$(($1 * w))x$(($1 * h))+$((WX + $1 * x))+$((WY + $1 * y))" +repage \
      "$shots/$1-$name.png"
  done
}

start_kelvane
shoot 1
click_end_expect_exit

export QT_SCALE_FACTOR=2
start_kelvane
[ "$WW" = 718 ] && [ "$WH" = 610 ] || fail "client area at scale 2 is ${WW}x${WH}, expected 718x610"
shoot 2

# One frame pixel, the progress bar's top-left inner corner, read as the block it must become.
one=$(convert "$shots/1-bar_left.png" -crop 1x1+1+1 -depth 8 txt:- | sed -n '2s/.*(\([0-9,]*\)).*/\1/p')
block=$(convert "$shots/2-bar_left.png" -crop 2x2+2+2 +repage -depth 8 txt:- |
  sed -n 's/.*(\([0-9,]*\)).*/\1/p' | sort -u | tr '\n' ' ')
[ "$block" = "$one " ] || fail "frame pixel (29, 166) at scale 2 is '$block', expected a 2x2 block of $one"

for region in $REGIONS; do
  name=${region%%:*}
  convert "$shots/1-$name.png" -filter point -resize 200% "$shots/doubled-$name.png"
  differ=$(compare -metric AE "$shots/doubled-$name.png" "$shots/2-$name.png" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "$name at scale 2 differs from scale 1 doubled in $differ pixels"
done
convert "$shots/1-end_caption.png" -filter point -resize 200% "$shots/doubled-end_caption.png"
differ=$(compare -metric AE "$shots/doubled-end_caption.png" "$shots/2-end_caption.png" null: 2>&1 || true)
[ "$differ" != 0 ] || fail "End's caption at scale 2 is the scale-1 caption doubled, not drawn at the screen's pixels"

# "End" lies at twice its place.
click_client $((2 * 312)) $((2 * 287))
wait_exit 20
[ "$STATUS" = 0 ] || fail "exit status $STATUS, expected 0"

# A fractional scale rounds the window to whole pixels and keeps the controls where the mouse finds them.
export QT_SCALE_FACTOR=1.5
start_kelvane
[ "$WW" = 539 ] && [ "$WH" = 458 ] || fail "client area at scale 1.5 is ${WW}x${WH}, expected 539x458"
click_client 468 430
wait_exit 20
[ "$STATUS" = 0 ] || fail "exit status $STATUS at scale 1.5, expected 0"
echo "hidpi: 1 passed, 0 failed"
