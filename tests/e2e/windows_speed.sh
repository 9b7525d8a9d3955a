#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A menu held open for 15 s in the speed test, in which Windows holds the game's loop, leaves level 1's
# ball at the speed of a run left alone. Were the held time counted, it would fly six to sixteen times
# as fast (a test lasts 1 to 3 s under Wine here). Under Wine the calibration itself spreads widely: a
# held run has read from 0.54 to 1.78 times a run left alone, so the bounds are a third and three.
# Usage: windows_speed.sh WINDOWS_BUILD_DIR
set -euo pipefail
platform=wine build=$(cd "$1" && pwd) scale=1
source "$(dirname "$0")/game.sh"
begin win32-speed
ref Level001.jpg 0 188 600 24 "$work/ball-band.png"

# speed NAME STEP [HOLD]: level 1's ball's speed in pixels a second, flying right.
speed() {
  step=$2
  launch >&2
  welcome "$1-welcome" >&2
  click_at 304 364
  sleep 0.3
  if [ -n "${3:-}" ]; then
    click_entry $OPTIONS
    sleep "$3"
    shot "$1-menu-open" >/dev/null
    xdotool key Escape Escape # the drop-down, then the menu bar
  fi
  # Unwatched, as a player's test runs: a screenshot would take the game's passes a share of the processor.
  sleep 4
  after_speed_test "$1-level-1" >/dev/null
  click_at 294 180
  # The band alone, read later: each shot costs the game little.
  for i in $(seq 12); do
    echo "$(date +%s.%N) $(import -window root -crop "600x24+$FX+$((FY + 188))" +repage "$shots/$1-flight-$i.png" && date +%s.%N)" >"$work/time-$i"
  done
  # The ball is the only thing moving in its band.
  for i in $(seq 12); do
    echo "$(cat "$work/time-$i") $(convert "$shots/$1-flight-$i.png" "$work/ball-band.png" -compose difference -composite \
      -threshold 25% -format '%@' info: | awk -F'[x+]' '$1 > 0 && $1 < 30 { print $3 + $1 / 2 }')"
  done >"$work/track"
  click_entry $EXIT
  exits_with_0 "$step" "$1-exit"
  # Least squares, until the ball turns back at the far edge.
  awk 'NF < 3 { next } !t0 { t0 = $1 } $3 < last { exit } { last = $3 }
       $3 > 80 && $3 < 560 { t = ($1 + $2) / 2 - t0; n++; st += t; sx += $3; stt += t * t; stx += t * $3 }
       END { if (n < 3) exit 1; printf "%.0f\n", (n * stx - st * sx) / (n * stt - st * st) }' "$work/track" ||
    fail "$step" "$shots/$1-flight-1.png" "the ball was seen in flight on fewer than 3 screenshots: $(cat "$work/track")"
}

alone=$(speed 01-alone "a run left alone")
held=$(speed 02-held "a run with a menu held open for 15 s in the speed test" 15)
ratio=$(awk -v a="$alone" -v h="$held" 'BEGIN { printf "%.2f", h / a }')
echo "level 1's ball: $alone px/s left alone, $held px/s with a menu held open in the test: $ratio times"
# Each speed() ran in a subshell of its own: the step is named here again.
awk -v r="$ratio" 'BEGIN { exit !(r > 0.33 && r < 3) }' ||
  fail "the held run against the run left alone" "$shots/02-held-flight-1.png" "$held px/s against $alone: $ratio times as fast"
