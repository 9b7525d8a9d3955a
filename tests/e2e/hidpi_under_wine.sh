#!/usr/bin/env bash
# The Windows game at a pixel ratio of 2 under Wine in Xvfb (192 dots per
# inch): the playfield takes 1200x800 device pixels and shows the welcome
# picture and then level 1 at twice their size; the panel's text is drawn
# in device pixels, not stretched from 1x; clicks at the game's own
# coordinates (times 2) start the speed test and the level; a stroke shows
# white; the close box ends the game.
# Usage: tests/e2e/hidpi_under_wine.sh WINDOWS_BUILD_DIR
# The screenshots stay in build/e2e-screenshots/win32-hidpi.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb_lib.sh"
source "$here/picture_lib.sh"
source "$here/wine_lib.sh"
source "$here/play_checks.sh"

wine_suite win32-hidpi

unpack_zip "$build"
xvfb_start 1600x1200x24
wine_prefix "$build/wine-hidpi" /bin/true 192
launch
playfield_at 2
at() { xdotool mousemove $((FX + 2 * $1)) $((FY + 2 * $2)); }
field() { crop "$1" "1200x800+$FX+$FY" "$2"; }

step="the welcome picture at twice its size"
[ "$FX" -ge "$X" ] && [ $((FY - Y)) -ge 40 ] ||
  fail "$step" "$(shot 01-welcome)" "the window is ${WIDTH}x$HEIGHT device pixels, too small for a 1200x800 playfield below a menu bar"
convert "$data/Welcome.jpg" -resize 200% "$work/welcome-2x.png"
welcome_2x() { below 0.04 "$(rmse "$work/now.png" "$work/welcome-2x.png")"; }
poll_shot 01-welcome 20 welcome_2x ||
  fail "$step" "$last" "the playfield is not the welcome picture at twice its size (RMSE $(rmse "$work/now.png" "$work/welcome-2x.png"))"

step="the speed test ends on level 1 at twice its size"
at 304 364
xdotool click 1
convert "$data/Level001.jpg" -crop 600x160+0+0 +repage -resize 200% "$work/level-top-2x.png"
level_1_2x() {
  part "$work/now.png" 0 0 1200 320 "$work/top.png"
  below 0.04 "$(rmse "$work/top.png" "$work/level-top-2x.png")"
}
poll_shot 02-level-1 120 level_1_2x || fail "$step" "$last" "no level 1 picture at twice its size within 120 s"

step="the panel is drawn in device pixels"
part "$work/now.png" 0 576 370 178 "$work/panel.png"
# Stretched from 1x, the panel would be made of 2x2 blocks of one colour.
convert "$work/panel.png" -filter point -resize 50% -resize 200% "$work/blocks.png"
! below 0.02 "$(rmse "$work/panel.png" "$work/blocks.png")" || fail "$step" "$last" "the panel's text is stretched from 1x"
[ "$(pixels_like "$work/panel.png" 'rgb(224,224,224)' 15%)" -gt 400 ] || fail "$step" "$last" "the panel shows no light grey text"

step="the prompt starts the level; a stroke shows"
at 294 180
xdotool click 1
convert "$data/Level001.jpg" -crop 300x30+150+162 +repage -resize 200% "$work/band-2x.png"
prompt_gone_2x() {
  part "$work/now.png" 300 324 600 60 "$work/band.png"
  # The ball may cross the band: four hundred pixels of it are allowed.
  [ "$(differing "$work/band.png" "$work/band-2x.png" 20%)" -lt 400 ]
}
poll_shot 03-started 15 prompt_gone_2x || fail "$step" "$last" "the prompt is still shown"
draw_test_stroke
stroke_2x() {
  part "$work/now.png" 880 580 240 100 "$work/stroke.png"
  [ "$(pixels_like "$work/stroke.png" white 25%)" -gt 150 ]
}
poll_shot 04-stroke 15 stroke_2x || fail "$step" "$last" "no white line along the stroke"

step="the window's close box"
xdotool mousemove $((X + WIDTH - 20)) $((Y + 16)) click 1
ended() { ! kill -0 "$game" 2>/dev/null; }
until_true 10 ended || fail "$step" "$(shot 05-close)" "the game still runs 10 s after its close box was clicked"
wait "$game" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "$step" "$(shot 05-close)" "the game ended with status $status"
echo "HiDPI under Wine passed; screenshots in $shots"
