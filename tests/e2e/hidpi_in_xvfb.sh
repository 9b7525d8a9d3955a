#!/usr/bin/env bash
# The game at a pixel ratio of 2 under Xvfb: the playfield takes 1200x800
# device pixels and shows the welcome picture, and after the speed test the
# level's, at twice their size and sharp; the playfield is still 600x400 in
# the game's units, as a click on the start area and the prompt show; a
# stroke is drawn smooth and two device pixels wide.
# Usage: tests/e2e/hidpi_in_xvfb.sh BUILD_DIR
# The screenshots stay in BUILD_DIR/e2e-screenshots/hidpi, passed or failed.
set -euo pipefail
build=$(cd "$1" && pwd)
suite=hidpi
source "$(dirname "$0")/game_lib.sh"

xvfb_start 1600x1200x24
launch_game 2

# twice PICTURE OUT: the picture at twice its size, each pixel a 2x2 block,
# and smoothed; the game may draw it either way.
twice() {
  convert "$1" -filter point -resize 200% "$2-point.png"
  convert "$1" -resize 200% "$2-smooth.png"
}
twice "$data/Welcome.jpg" "$work/welcome"
twice "$data/Level001.jpg" "$work/level"
# at_twice IMAGE PREFIX: whether IMAGE is one of PREFIX's two pictures.
at_twice() {
  below 0.01 "$(rmse "$1" "$2-point.png")" || below 0.01 "$(rmse "$1" "$2-smooth.png")"
}
# drawn_at_2x IMAGE: whether IMAGE was drawn in device pixels: a picture
# drawn at 1x and stretched is made of 2x2 blocks of one colour each.
drawn_at_2x() {
  convert "$1" -filter point -resize 50% -resize 200% "$work/blocks.png"
  ! below 0.02 "$(rmse "$1" "$work/blocks.png")"
}

# --- 01 the welcome picture ---
step="the welcome picture at twice its size"
[ "$WIDTH" -eq 1200 ] && [ "$MENU" -ge 20 ] && [ "$MENU" -le 120 ] ||
  fail "$step" "$(shot 01-welcome)" "the window is ${WIDTH}x$HEIGHT device pixels, not a 1200x800 playfield below a menu bar"
welcome_is_shown() { at_twice "$work/now.png" "$work/welcome"; }
poll_shot 01-welcome 20 welcome_is_shown ||
  fail "$step" "$last" "the playfield is not Data/Welcome.jpg at 2x (RMSE $(rmse "$work/now.png" "$work/welcome-point.png"))"
crop "$last" "${WIDTH}x$((MENU - 2))+$X+$((Y + 1))" "$work/bar.png"
drawn_at_2x "$work/bar.png" || fail "$step" "$last" "the menu bar's text is a 1x drawing stretched"

# --- 02 a click on the start area, in the game's units, starts the speed test ---
step="the speed test ends with level 1 at twice its size"
at 304 364
xdotool click 1
part "$work/level-point.png" 0 0 1200 320 "$work/level-top.png"
level_is_shown() {
  part "$work/now.png" 0 0 1200 320 "$work/top.png"
  below 0.02 "$(rmse "$work/top.png" "$work/level-top.png")"
}
poll_shot 02-prompt 90 level_is_shown || fail "$step" "$last" "no level 1 picture within 90 s of the click on the start area"
part "$work/now.png" 0 576 370 178 "$work/panel.png"
drawn_at_2x "$work/panel.png" || fail "$step" "$last" "the level-information panel is a 1x drawing stretched"

# --- 03 the prompt's click starts the level; a stroke is drawn sharp ---
step="a stroke at twice the size"
at 294 180
xdotool click 1
sleep 0.5
at 450 300
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10; do at $((450 + 10 * i)) $((300 + 3 * i)); done
xdotool mouseup 1
# The stroke, a hundred units long and one wide, is drawn smooth in device
# pixels: about 200 device columns, each with a pixel of the player's
# white at the line's core, and some 400 pixels more white than not, a
# line two device pixels wide. A 1x line stretched has no white core in
# many columns, or none at all when smoothed; stretched, it is also wider.
# stroke_profile IMAGE: the columns with a near-white pixel, and the
# pixels nearer white than the dark level picture below.
stroke_profile() {
  convert "$1" -colorspace gray -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { if ($3 >= 230) core[$1] = 1; if ($3 >= 150) half++ }
      END { n = 0; for (c in core) n++; print n, half + 0 }'
}
stroke_is_sharp() {
  part "$work/now.png" 880 580 240 100 "$work/stroke.png"
  read -r columns pixels < <(stroke_profile "$work/stroke.png")
  [ "$columns" -ge 180 ] && [ "$pixels" -ge 300 ] && [ "$pixels" -le 560 ]
}
poll_shot 03-stroke 10 stroke_is_sharp ||
  fail "$step" "$last" "$columns columns with a white core and $pixels mostly white pixels along the stroke, not about 200 and 400"
echo "HiDPI in Xvfb passed; screenshots in $shots"
