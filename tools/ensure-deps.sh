#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, on a Debian machine, whatever the build and the tests need and
# the machine does not have yet. Run as root; does nothing when all is there.
set -euo pipefail

needed=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-image-formats-plugins libgtest-dev libgmock-dev
        libbenchmark-dev clang libclang-rt-14-dev xvfb xauth xdotool imagemagick x11-utils fonts-dejavu-core
        fonts-liberation2 desktop-file-utils appstream dpkg-dev lintian reuse)
# Wine's own fonts stand in for the classic Windows faces, and the
# Arial-like faces are what the others fall back to: without them the
# captions and labels of the Windows game come out in the wrong faces.
[ "${1:-}" = "--windows" ] && needed=(g++-mingw-w64-x86-64 wine64 wine fonts-wine fonts-liberation2)

missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
