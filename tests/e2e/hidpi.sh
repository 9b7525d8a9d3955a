#!/usr/bin/env bash
# The game at a pixel ratio of 2 (Qt's scale factor, or Wine at 192 dots per
# inch): the playfield takes 1200x800 device pixels and shows the welcome
# picture and level 1 at twice their size; the menu bar and the panel are
# drawn in device pixels, not stretched from 1x; clicks at the game's own
# coordinates (times 2) start the speed test and the level; a stroke is
# drawn smooth and two device pixels wide; under Wine the close box ends it.
# Usage: tests/e2e/hidpi.sh qt BUILD_DIR      (screenshots in BUILD_DIR/e2e-screenshots/hidpi)
#        tests/e2e/hidpi.sh wine WINDOWS_BUILD_DIR   (in build/e2e-screenshots/win32-hidpi)
set -euo pipefail
platform=$1 build=$(cd "$2" && pwd) scale=2
source "$(dirname "$0")/game.sh"
begin "$([ "$platform" = qt ] && echo hidpi || echo win32-hidpi)"
launch

# drawn_at_2x IMAGE: whether IMAGE was drawn in device pixels: a picture
# drawn at 1x and stretched is made of 2x2 blocks of one colour each.
drawn_at_2x() {
  convert "$1" -filter point -resize 50% -resize 200% "$work/blocks.png"
  ! below 0.02 "$(rmse "$1" "$work/blocks.png")"
}
# stroke_profile IMAGE: the columns with a near-white pixel, and the
# pixels nearer white than the dark level picture below.
stroke_profile() {
  convert "$1" -colorspace gray -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { if ($3 >= 230) core[$1] = 1; if ($3 >= 150) half++ }
      END { n = 0; for (c in core) n++; print n, half + 0 }'
}
# The stroke, a hundred units long and one wide, is drawn smooth in device
# pixels: about 200 device columns, each with a pixel of the player's
# white at the line's core, and some 400 pixels more white than not, a
# line two device pixels wide. A 1x line stretched has no white core in
# many columns, or none at all when smoothed; stretched, it is also wider.
stroke_is_sharp() {
  read -r columns pixels < <(stroke_profile "$work/stroke.png")
  [ "$columns" -ge 180 ] && [ "$pixels" -ge 300 ] && [ "$pixels" -le 560 ]
}

play_first_level
step="the menu bar and the panel in device pixels"
menu_bar "$shots/03-prompt.png" "$work/bar.png"
drawn_at_2x "$work/bar.png" || fail "$step" "$shots/03-prompt.png" "the menu bar's text is a 1x drawing stretched"
drawn_at_2x "$work/panel.png" || fail "$step" "$shots/03-prompt.png" "the level-information panel is a 1x drawing stretched"
step="a stroke at twice the size"
stroke_is_sharp || fail "$step" "$last" "$columns columns with a white core and $pixels mostly white pixels along the stroke, not about 200 and 400"

if [ "$platform" = wine ]; then
  step="the window's close box"
  close_box
  exits_with_0 "$step" 06-close
fi
echo "HiDPI on $platform passed; screenshots in $shots"
