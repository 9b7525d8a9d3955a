#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds in release mode and prints every benchmark figure with its unit.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j "$(nproc)"

echo "== Game logic"
build-release/orvane_logic_bench --benchmark_min_time=0.5

echo "== A ball step's instructions, every shipped level against the speed test"
bench/step_instructions.sh build-release

echo "== The real window under Xvfb"
bench/xvfb_speed_test.sh build-release

echo "== The high-score window in Qt's lists and on the disk"
QT_QPA_PLATFORM=offscreen build-release/orvane_scores_bench 2>/dev/null

echo "== The Windows build under Wine in Xvfb"
if tools/ensure-deps.sh --windows >/dev/null 2>&1; then bench/wine_speed_test.sh; else echo "Skipped: the MinGW-w64 compiler and Wine cannot be installed here."; fi
