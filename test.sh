#!/usr/bin/env bash
# Builds the game and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
