#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang's libFuzzer and runs each for a while:
#   tests/fuzz/run.sh [SECONDS_EACH]      (default 20)
# New inputs that widen the coverage go to build-fuzz/corpus/<target>; an
# input that fails is written to build-fuzz/ as crash-* (or timeout-*,
# leak-*): copy it into tests/fuzz/corpus/<target> so that every test run
# replays it.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON -DORVANE_LOGIC_ONLY=ON \
  -DORVANE_BENCHMARKS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)"
for target in fields load_level high_scores; do
  mkdir -p "build-fuzz/corpus/$target" && echo "-- fuzz_$target for ${1:-20} s"
  if ! (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 "./tests/fuzz/fuzz_$target" -max_total_time="${1:-20}" -timeout=10 \
        -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 "corpus/$target" "../tests/fuzz/corpus/$target" \
        >"fuzz_$target.log" 2>&1); then
    tail -40 "build-fuzz/fuzz_$target.log" >&2
    echo "fuzz_$target found a failing input (see build-fuzz/ crash-*, timeout-*, leak-*)" >&2
    exit 1
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec)" "build-fuzz/fuzz_$target.log" || true
done
