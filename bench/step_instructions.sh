#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The instructions a ball step costs on every shipped level, against the
# speed test's: the calibration holds only if they agree. Counted by
# callgrind in the level checker's unaided run, the ball step alone, so the
# figure does not move with what else the machine is doing.
# Usage: bench/step_instructions.sh BUILD_DIR [STEPS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
steps=${2:-1700000}
if ! command -v valgrind >/dev/null; then
  if [ "$(id -u)" = 0 ]; then apt-get install -y -qq valgrind >/dev/null; else echo "Skipped: valgrind is not installed."; exit 0; fi
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
count() {
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='orvane::Form1::MoveBall()' \
    "$build/tools/levelcheck/orvane-levelcheck" --steps "$steps" "Data/$1.ooo" >/dev/null 2>&1
  awk -v steps="$steps" '/^(summary|totals):/ {print $2 / steps; exit}' "$out"
}
test=$(count SystemTest)
printf 'instructions a ball step over %s unaided steps: the speed test %.1f\n' "$steps" "$test"
for level in $(cd Data && ls Level*.ooo | sed 's/\.ooo$//'); do
  cost=$(count "$level")
  printf '  %s %7.1f  %.3f of the test\n' "$level" "$cost" "$(echo "$cost / $test" | bc -l)"
done
