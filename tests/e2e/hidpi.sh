#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The first level at a pixel ratio of 2, or of RATIO, and (Wine) the close box. Qt at 1.5 scales the
# pictures without smoothing, further from the reference than the checks allow.
# Usage: hidpi.sh qt|wine BUILD_DIR [RATIO]
set -euo pipefail
platform=$1 build=$(cd "$2" && pwd) scale=${3:-2}
source "$(dirname "$0")/game.sh"
begin "$([ "$platform" = qt ] && echo hidpi || echo win32-hidpi)$([ "$scale" = 2 ] || echo "-$pct")"
launch
play_first_level

# Drawn at 1x and stretched, a picture is made of 2x2 blocks of one colour.
drawn_at_2x() {
  convert "$1" -filter point -resize 50% -resize 200% "$work/blocks.png"
  ! below 0.02 "$(rmse "$1" "$work/blocks.png")" || fail "$step" "$shots/03-prompt.png" "$2 is a 1x drawing stretched"
}
if [ "$scale" = 2 ]; then
  step "the menu bar and the panel in device pixels" menu_bar "$shots/03-prompt.png" "$work/bar.png"
  drawn_at_2x "$work/bar.png" "the menu bar's text"
  drawn_at_2x "$work/panel.png" "the level-information panel"
  # Drawn smooth in device pixels, two wide, the stroke has a white core in some 200 columns; a 1x line
  # stretched lacks it in many, and is wider.
  step="a stroke at twice the size"
  read -r columns pixels < <(convert "$work/stroke.png" -colorspace gray -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { if ($3 >= 230) core[$1] = 1; if ($3 >= 150) half++ } END { print length(core), half + 0 }')
  [ "$columns" -ge 180 ] && [ "$pixels" -ge 300 ] && [ "$pixels" -le 560 ] ||
    fail "$step" "$last" "$columns columns with a white core and $pixels mostly white pixels along the stroke, not about 200 and 400"
fi
if [ "$platform" = wine ]; then
  step "the window's close box" close_box
  exits_with_0 "$step" 06-close
fi
echo "HiDPI on $platform passed; screenshots in $shots"
