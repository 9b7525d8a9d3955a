#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game and runs every test: the native build with the window
# tests, the game end to end in a real X server, the packaging checks, the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the readers under libFuzzer, and the game for Windows with its tests and a
# play-through under Wine. Every section runs even when an earlier one
# failed; the summary at the end tells each one's result and time, and the
# exit status is 1 when any failed.
set -uo pipefail
cd "$(dirname "$0")"
tools/ensure-deps.sh || exit 1

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
Skipped=77 # what a section exits with when it cannot run here

native() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$jobs"
  (cd build && ctest --output-on-failure -j "$jobs")
}

end_to_end() {
  # Screenshots of every step stay in build/e2e-screenshots.
  tests/e2e/play.sh qt build
  tests/e2e/hidpi.sh qt build
}

packaging() {
  bash tests/packaging/lint.sh build
}

sanitizers() {
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANE_LOGIC_ONLY=OFF -DORVANE_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all -D_GLIBCXX_ASSERTIONS" >/dev/null
  cmake --build build-sanitize -j "$jobs"
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --output-on-failure -j "$jobs")
}

fuzzers() {
  if ! command -v clang++ >/dev/null; then
    echo "Skipped: clang cannot be installed here."
    return $Skipped
  fi
  tests/fuzz/run.sh 20
}

windows() {
  if ! tools/ensure-deps.sh --windows; then
    echo "Skipped: the MinGW-w64 compiler, Wine and its fonts cannot be installed here."
    return $Skipped
  fi
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
}

summary=()
failed=0
# Runs one section in a shell of its own that stops at its first failing
# command, and notes its result and time.
section() {
  local title=$1 function=$2 started=$SECONDS status result
  echo
  echo "== $title"
  (set -e; "$function")
  status=$?
  case $status in
    0) result=passed ;;
    "$Skipped") result=skipped ;;
    *) result="failed (status $status)"; failed=1 ;;
  esac
  local took=$((SECONDS - started))
  summary+=("$(printf '%-52s %-20s %3d min %02d s' "$title" "$result" $((took / 60)) $((took % 60)))")
}

section "Native build and tests" native
section "End to end in a real X server" end_to_end
section "Packaging" packaging
section "Every test under ASan and UBSan" sanitizers
section "The readers under libFuzzer, 20 seconds each" fuzzers
section "Windows: MinGW-w64 build, tests and play under Wine" windows

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
printf '%-52s %-20s %3d min %02d s\n' "Whole run" "$([ $failed = 0 ] && echo passed || echo failed)" \
  $((SECONDS / 60)) $((SECONDS % 60))
exit $failed
