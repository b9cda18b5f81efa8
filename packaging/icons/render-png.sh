#!/bin/sh
# render-png.sh: renders the icon's PNG sizes from the SVG with ImageMagick; the PNGs are kept in the source.
set -e
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    # Drawn at four times the largest size and scaled down, for even edges.
    convert -background none -density 384 org.vandrel.Vandrel.svg -resize "${size}x${size}" \
        -depth 8 -strip "PNG32:${size}x${size}/org.vandrel.Vandrel.png"
done
