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

# The Windows program's icon and pointer, each in the sizes Windows asks
# for at 100 % to 200 % (icons 16 to 64, pointers 32 to 64), so that a
# window takes the one drawn for its monitor rather than one scaled. Sizes
# without a PNG of their own are made from the largest.
res=src/platform/win32/res
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
icons=()
for size in 16 20 24 28 32 40 48 56 64 256; do
  png=packaging/icons/${size}x${size}/orvane.png
  if [ ! -f "$png" ]; then
    png=$tmp/icon$size.png
    convert packaging/icons/256x256/orvane.png -filter Lanczos -resize "${size}x${size}" "$png"
  fi
  icons+=("$png")
done
convert "${icons[@]}" "$res/orvane.ico"

# The pointer, a pointing hand drawn on a grid of 32; its hot spot is the
# tip of the finger.
hand="M5,0.5 L6.5,0.5 Q7.5,0.5 7.5,1.5 L7.5,5.5 L9.5,5.5 Q10.5,5.5 10.5,6.5 L12.5,6.5 Q13.5,6.5 13.5,7.5
      L14.5,7.5 Q17.5,8.5 17.5,11 L17.5,14.5 L15.5,18 L15.5,20.5 L5.5,20.5 L5.5,18.5 L0.8,10.5 Q0.3,8.5 2,8.5
      Q3,8.5 4.5,11 L4.5,1 Q4.5,0.5 5,0.5 Z"
pointers=() spots=()
for size in 32 40 48 56 64; do
  k=$(awk -v s="$size" 'BEGIN { print s / 32 }')
  # ImageMagick's pixels are centred on whole coordinates: half a pixel
  # back keeps the 32-pixel strokes on whole pixels.
  convert -size "${size}x$size" xc:none -stroke black -strokewidth 1 -fill white \
    -draw "translate -0.5,-0.5 scale $k,$k path '$hand'" -fill none \
    -draw "translate -0.5,-0.5 scale $k,$k line 7.5,5.5 7.5,10 line 10.5,6.5 10.5,10 line 13.5,7.5 13.5,10" \
    "$tmp/pointer$size.png"
  pointers+=("$tmp/pointer$size.png") spots+=("$(awk -v s="$size" 'BEGIN { print int(5.75 * s / 32) }'),0")
done
convert "${pointers[@]}" "$tmp/pointer.ico"
# An icon file becomes a pointer file by its type (2) and, in each entry,
# the hot spot where an icon keeps its planes and bit count.
python3 - "$tmp/pointer.ico" "$res/pointer.cur" "${spots[@]}" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<H', data, 2, 2)
for i, spot in enumerate(sys.argv[3:]):
    x, y = map(int, spot.split(','))
    struct.pack_into('<HH', data, 6 + 16 * i + 4, x, y)
open(sys.argv[2], 'wb').write(data)
PY
echo "Windows icon and pointer written to $res/"
