#!/usr/bin/env bash
# The real window under Xvfb: title, client size, icon sizes, banner and panel colours; "End" exits
# at once with 0.
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
KELVANE=$1
source "$(dirname "$0")/lib.bash"

start_kelvane
[ "$WW" = 359 ] && [ "$WH" = 305 ] || fail "client area is ${WW}x${WH}, expected 359x305"
# Centred on the 1024x768 screen: 332.5, 231.5 pixels before rounding.
case "$WX,$WY" in 332,231|333,231|332,232|333,232) ;; *) fail "window at $WX,$WY, expected centred near 332.5,231.5" ;; esac

# The window manager chooses from every size drawn rather than scaling a 32 px icon. xprop reads
# only the first part of a long property unless told more.
sizes=$(xprop -len 1000000 -id "$WID" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' | tr '\n' ' ')
[ "$sizes" = "16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 " ] || fail "window icon sizes: $sizes"

banner=$(pixel_at $((WX + 350)) $((WY + 40)))
[ "$banner" = "255,255,255" ] || fail "banner pixel is $banner, expected white"
panel=$(pixel_at $((WX + 5)) $((WY + 100)))
[ "$panel" = "203,216,250" ] || fail "panel pixel is $panel, expected 203,216,250"

# Both buttons in their stored style 3: the dark blue outline, the corner pixels just inside it, and
# the cut-away corner showing what lies behind the button.
for corner in "Optimize 19 199 203,216,250" "End 274 274 255,255,255"; do
  read -r name x y behind <<<"$corner"
  seen=$(pixel_at $((WX + x + 10)) $((WY + y)))
  [ "$seen" = "0,60,115" ] || fail "$name outline at ($((x + 10)), $y) is $seen, expected 0,60,115"
  seen=$(pixel_at $((WX + x + 1)) $((WY + y + 1)))
  [ "$seen" = "16,77,123" ] || fail "$name corner at ($((x + 1)), $((y + 1))) is $seen, expected 16,77,123"
  seen=$(pixel_at $((WX + x)) $((WY + y)))
  [ "$seen" = "$behind" ] || fail "$name cut-away corner at ($x, $y) is $seen, expected $behind"
done

# The "Optimize" gradient, worked from its rule: 25 levels over the 26 rows in a single-precision
# step, halves to even; blue moves in proportion (blue * amount / 192, toward zero). Column 5 lies
# clear of the edge lines and the caption.
expected=$(awk 'BEGIN {
  s = 0.9615384340286255  # 25 / 26 as a single-precision number
  for (y = 4; y <= 20; y++) {
    a = -s * y; r = int(a - 0.5); if (r - a == -0.5 && r % 2) r++
    b = 255 * r / 192; b = (b < 0) ? -int(-b) : int(b)
    printf "%d,%d,%d ", 255 + r, 255 + r, 255 + b
  }
}')
seen=$(import -window root -crop "1x17+$((WX + 19 + 5))+$((WY + 199 + 4))" -depth 8 txt:- 2>/dev/null |
  sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | tr '\n' ' ')
[ "$seen" = "$expected" ] || fail "Optimize gradient rows 4-20 are: $seen; expected: $expected"

click_end_expect_exit
echo "window_and_end: 1 passed, 0 failed"
