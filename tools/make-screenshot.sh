#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the AppStream screenshot, packaging/screenshots/level1.png: the game
# under Xvfb, past the welcome picture and the speed test, with a trail drawn
# in level 1. Needs a built build/orvane; run it under xvfb-run:
#   xvfb-run -a -s "-screen 0 800x600x24" tools/make-screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build/orvane &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name Orvane | head -1)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
# Points on the playfield, which sits below the menu bar and inside the frame.
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
at 304 383; xdotool click 1          # the welcome picture's start area
sleep 7                              # the speed test
at 300 210; xdotool click 1          # the prompt of level 1
sleep 0.7
at 200 290; xdotool mousedown 1
for step in 1 2 3 4; do at $((200 + step * 30)) $((290 + step * 6)); done
xdotool mouseup 1
sleep 0.5
mkdir -p packaging/screenshots
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage packaging/screenshots/level1.png
echo "Screenshot written to packaging/screenshots/level1.png"
