#!/usr/bin/env bash
# Builds the game and starts it with the bundled Data folder.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target orvane
exec build/orvane "$@"
