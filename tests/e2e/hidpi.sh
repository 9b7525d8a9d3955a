#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The first level at a pixel ratio of 2 (Qt's scale factor; Wine at 192 dots
# per inch): the pictures at twice their size, the menu bar and the panel
# drawn in device pixels, not stretched, clicks at the game's coordinates
# times 2, a stroke smooth and two device pixels wide; (Wine) the close box.
# At another RATIO (1.5: Wine at 144 dots per inch, 150 %) the first level
# is played at that ratio and the close box tried. (Qt at 1.5 scales the
# pictures without smoothing, further from the reference than the checks
# allow.)
# Usage: tests/e2e/hidpi.sh qt BUILD_DIR [RATIO]    (screenshots in BUILD_DIR/e2e-screenshots/hidpi)
#        tests/e2e/hidpi.sh wine WINDOWS_BUILD_DIR [RATIO]   (in build/e2e-screenshots/win32-hidpi)
# Another ratio than 2 adds it to the folder's name: win32-hidpi-150.
set -euo pipefail
platform=$1 build=$(cd "$2" && pwd) scale=${3:-2}
source "$(dirname "$0")/game.sh"
begin "$([ "$platform" = qt ] && echo hidpi || echo win32-hidpi)$([ "$scale" = 2 ] || echo "-$pct")"
launch

# drawn_at_2x IMAGE: whether IMAGE was drawn in device pixels: a picture
# drawn at 1x and stretched is made of 2x2 blocks of one colour each.
drawn_at_2x() {
  convert "$1" -filter point -resize 50% -resize 200% "$work/blocks.png"
  ! below 0.02 "$(rmse "$1" "$work/blocks.png")"
}
play_first_level
if [ "$scale" = 2 ]; then
step="the menu bar and the panel in device pixels"
menu_bar "$shots/03-prompt.png" "$work/bar.png"
drawn_at_2x "$work/bar.png" || fail "$step" "$shots/03-prompt.png" "the menu bar's text is a 1x drawing stretched"
drawn_at_2x "$work/panel.png" || fail "$step" "$shots/03-prompt.png" "the level-information panel is a 1x drawing stretched"
# The stroke, a hundred units long, is drawn smooth in device pixels: in
# some 200 columns a pixel of the player's white at the core, and some 400
# pixels more white than not, two device pixels wide. A 1x line stretched
# lacks the core in many columns (in all, when smoothed), and is wider.
step="a stroke at twice the size"
read -r columns pixels < <(convert "$work/stroke.png" -colorspace gray -depth 8 txt:- |
  awk -F'[,:() ]+' 'NR > 1 { if ($3 >= 230) core[$1] = 1; if ($3 >= 150) half++ } END { print length(core), half + 0 }')
[ "$columns" -ge 180 ] && [ "$pixels" -ge 300 ] && [ "$pixels" -le 560 ] || fail "$step" "$last" "$columns columns with a white core and $pixels mostly white pixels along the stroke, not about 200 and 400"
fi

if [ "$platform" = wine ]; then
  step="the window's close box"
  close_box
  exits_with_0 "$step" 06-close
fi
echo "HiDPI on $platform passed; screenshots in $shots"
