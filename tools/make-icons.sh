#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes from its SVG. The PNGs are
# committed, so a build needs no SVG renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
svg=packaging/icons/orvane.svg
for size in 16 32 48 64 128 256; do
  out=packaging/icons/${size}x${size}/orvane.png
  mkdir -p "$(dirname "$out")"
  # rsvg draws gradients and patterns faithfully; ImageMagick's own renderer
  # is the fallback where librsvg's tool is missing.
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w "$size" -h "$size" -o "$out" "$svg"
  else
    convert -background none -density 384 "$svg" -resize "${size}x${size}" "$out"
  fi
done
echo "Icons written to packaging/icons/"
