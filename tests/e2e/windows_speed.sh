#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows zip under Wine: the speed test with a menu held open in it
# for 3 s, in which Windows holds the game's loop, gives level 1's ball the
# speed of a run left alone, within 10 %. The ball's speed is the slope of
# its place on timed screenshots over its first two seconds, flying right.
# Usage: tests/e2e/windows_speed.sh WINDOWS_BUILD_DIR  (screenshots in build/e2e-screenshots/win32-speed)
set -euo pipefail
platform=wine build=$(cd "$1" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin win32-speed

# ball_x SHOT: the middle of what differs from level 1's picture in the
# ball's band, the only thing moving there.
ball_x() {
  crop "$1" "600x24+$FX+$((FY + 188))" "$work/band-now.png"
  convert "$work/band-now.png" "$work/band-ref.png" -compose difference -composite -threshold 25% \
    -format '%@' info: | awk -F'[x+]' '$1 > 0 && $1 < 30 { print $3 + $1 / 2 }'
}

# speed NAME [HOLD]: a run from start-up to level 1's ball in flight, a menu
# held open for HOLD seconds right after the click on the start area;
# prints the ball's speed in pixels a second.
speed() {
  launch >&2
  ref Welcome.jpg 0 0 600 400 "$work/welcome.png"
  poll_shot "$1-welcome" 20 welcome_is_shown >&2 || fail "$step" "$last" "no welcome picture"
  read_menu_bar "$last"
  click_at 304 364
  if [ -n "${2:-}" ]; then
    sleep 0.3
    click_entry $OPTIONS
    sleep "$2"
    shot "$1-menu-open" >/dev/null
    xdotool key Escape Escape # the drop-down, then the menu bar
  fi
  ref SystemTest.jpg 0 0 600 160 "$work/test-top.png"
  poll_shot "$1-level-1" 120 shows_level 1 >/dev/null || fail "$step" "$last" "no level 1 within 120 s"
  ref Level001.jpg 0 188 600 24 "$work/band-ref.png"
  click_at 294 180
  local i t0 t1 x
  : >"$work/track"
  for i in $(seq 8); do
    t0=$(date +%s.%N)
    import -window root "$shots/$1-flight-$i.png"
    t1=$(date +%s.%N)
    x=$(ball_x "$shots/$1-flight-$i.png")
    [ -z "$x" ] || echo "$t0 $t1 $x" >>"$work/track"
  done
  click_entry $EXIT
  exits_with_0 "$step" "$1-exit"
  # Least squares over the places between 80 and 560, until the ball
  # turns back at the far edge.
  awk 'NR == 1 { t0 = $1 } $3 < last { exit } { last = $3 }
       $3 > 80 && $3 < 560 { t = ($1 + $2) / 2 - t0; n++; st += t; sx += $3; stt += t * t; stx += t * $3 }
       END { if (n < 3) exit 1; printf "%.0f\n", (n * stx - st * sx) / (n * stt - st * st) }' "$work/track" ||
    fail "$step" "$shots/$1-flight-1.png" "the ball was seen in flight on fewer than 3 screenshots: $(cat "$work/track")"
}

step="a run left alone"
alone=$(speed 01-alone)
echo "level 1's ball, the test left alone: $alone px/s"
step="a run with a menu held open for 3 s in the speed test"
held=$(speed 02-held 3)
echo "level 1's ball, a menu held open in the test: $held px/s"
awk -v a="$alone" -v h="$held" 'BEGIN { exit !(h > 0.9 * a && h < 1.1 * a) }' ||
  fail "$step" "$shots/02-held-flight-1.png" "$held px/s against $alone: more than 10 % apart"
echo "ok within 10 %; screenshots in $shots"
