#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game and runs every test: the native build with the window
# tests, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the readers under libFuzzer,
# and the game logic built for Windows with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Desktop entry and AppStream metadata"
desktop-file-validate packaging/*.desktop
# --no-net: the screenshot and homepage addresses are not fetched.
appstreamcli validate --no-net packaging/*.metainfo.xml

echo "== Native build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== End-to-end in a real X server"
# Screenshots of every step stay in build/e2e-screenshots.
tests/e2e/play.sh qt build
tests/e2e/hidpi.sh qt build

echo "== Every test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_LOGIC_ONLY=OFF -DORVANE_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --output-on-failure -j "$jobs")

echo "== The readers under libFuzzer, 20 seconds each"
if command -v clang++ >/dev/null; then
  tests/fuzz/run.sh 20
else
  echo "Skipped: clang cannot be installed here."
fi

echo "== The game for Windows: MinGW-w64 build, its tests and a play-through under Wine"
if tools/ensure-deps.sh --windows; then
  cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
  cmake --build build-win -j "$jobs"
  (cd build-win && cpack -G ZIP >/dev/null && ls -l orvane-*-win64.zip)
  (cd build-win && WINEPREFIX="$PWD/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ctest --output-on-failure)
  # Screenshots of every step in build/e2e-screenshots/win32, win32-hidpi,
  # win32-hidpi-150 (150 %, 144 dots per inch), win32-files and win32-speed.
  tests/e2e/play.sh wine build-win
  tests/e2e/hidpi.sh wine build-win
  tests/e2e/hidpi.sh wine build-win 1.5
  tests/e2e/windows_files.sh build-win
  tests/e2e/windows_speed.sh build-win
else
  echo "Skipped: the MinGW-w64 compiler, Wine and its fonts cannot be installed here."
fi
