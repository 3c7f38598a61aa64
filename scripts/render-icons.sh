#!/usr/bin/env bash
# Renders data/icons/quorvan.svg into the PNG sizes that are installed beside it
# (data/icons/<N>x<N>/quorvan.png). Run it after editing the SVG and commit the PNGs: the build
# and the install only copy them, so building Quorvan needs no SVG renderer.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null 2>&1 || { echo "render-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  mkdir -p "data/icons/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio data/icons/quorvan.svg \
    --output "data/icons/${size}x${size}/quorvan.png"
  echo "data/icons/${size}x${size}/quorvan.png"
done
