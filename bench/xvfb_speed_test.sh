#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the start-up in the real window under Xvfb and measures the
# processor time the game uses while it waits, paused, between levels, and
# the most memory it held; then counts the passes a second of the speed
# test, as the game timed it, and of play in the same server, on a quiet
# machine and with one core kept busy by another program all along.
# Usage: bench/xvfb_speed_test.sh BUILD_DIR
set -euo pipefail
build=$1

source "$(dirname "$0")/../tests/e2e/lib.sh"
xvfb_start 1280x1024x24

launched=$(date +%s.%N)
"$build/orvane" >/dev/null 2>&1 &
game=$!
xvfb_own "$game"
# Looked for every hundredth of a second here, for the start-up figure; the
# shared look-up polls more coarsely.
for _ in $(seq 3000); do _visible_window "$ORVANE_CAPTION" && break; sleep 0.01; done
printf 'start-up to the first shown window: %.0f ms\n' "$(echo "($(date +%s.%N) - $launched) * 1000" | bc -l)"
xvfb_window "$ORVANE_CAPTION" 30
menu=$((HEIGHT - 400))

# The level panel (black) appears at (10, 295) of the playfield, left of its
# labels, when the test ends.
xdotool mousemove $((X + 300)) $((Y + menu + 360)) click 1
start=$(date +%s.%N)
for _ in $(seq 400); do
  pixel=$(import -window root -crop 1x1+$((X + 10))+$((Y + menu + 295)) -format '%[pixel:p{0,0}]' info: 2>/dev/null || true)
  [ "$pixel" = "srgb(0,0,0)" ] && break
  sleep 0.02
done
seconds=$(echo "$(date +%s.%N) - $start" | bc)
# A stopwatch outside the game also counts the click's way to the game and
# the screenshots' polling; the calibration's own figure is below.
printf 'speed test seen from outside (click to the panel on a polled screenshot): %.2f s\n' "$seconds"

ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
before=$(ticks); sleep 5; after=$(ticks)
printf 'processor use while paused between levels: %.1f %%\n' "$(echo "($after - $before) / 5" | bc -l)"
# The most memory the game held at once, through the speed test and the pause.
printf 'peak memory (resident): %s\n' "$(awk '/VmHWM/ {printf "%.1f MB", $2 / 1024}' "/proc/$game/status")"
kill "$game" 2>/dev/null || true

# The passes a second of the speed test and of play, counted inside the game.
echo "-- the machine otherwise quiet"
"$build/orvane_play_bench" 2>/dev/null
# Xvfb reports 60 Hz; a gaming monitor's 144 is forced on the game here.
echo "-- the machine otherwise quiet, painted for a 144 Hz screen"
ORVANE_REFRESH_RATE=144 "$build/orvane_play_bench" 2>/dev/null
# Load that is there all along must not skew the calibration.
echo "-- one core kept busy by another program (nice 19) through the whole run"
nice -n 19 bash -c 'while :; do :; done' &
busy=$!
xvfb_own "$busy"
"$build/orvane_play_bench" 2>/dev/null
kill "$busy"
