#!/bin/sh
# Remakes the icon fixtures with ImageMagick 6.9 (convert) and icoutils 0.32 (icotool);
# tests/data/README.md says the same a file at a time.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 16 × 16: the top-left quarter in one colour, the rest in another, the bottom-right quarter and
# the pixel (2, 13) see-through; colour.png also has a white pixel at (15, 0).
convert -size 16x16 xc:white -fill black -draw "rectangle 8,8 15,15" -draw "point 2,13" \
    "$tmp/mask.png"
convert -size 16x16 xc:red -fill blue -draw "rectangle 0,0 7,7" -fill white -draw "point 15,0" \
    "$tmp/mask.png" -alpha off -compose CopyOpacity -composite PNG32:"$tmp/colour.png"
convert -size 16x16 xc:black -fill white -draw "rectangle 0,0 7,7" \
    "$tmp/mask.png" -alpha off -compose CopyOpacity -composite PNG32:"$tmp/mono.png"

icotool -c -b 1 -o mono.ico "$tmp/mono.png"
icotool -c -b 4 -o pal4.ico "$tmp/colour.png"
icotool -c -b 8 -o pal8.ico "$tmp/colour.png"
icotool -c -b 24 -o rgb24.ico "$tmp/colour.png"
icotool -c -b 32 -o argb32.ico "$tmp/colour.png"
icotool -c -r "$tmp/colour.png" -o png.ico

# Three sizes, the largest (48 × 48, lime, 8 bits) in the middle of the directory.
convert -size 16x16 xc:cyan PNG32:"$tmp/s16.png"
convert -size 48x48 xc:lime PNG32:"$tmp/s48.png"
convert -size 32x32 xc:yellow PNG32:"$tmp/s32.png"
icotool -c -b 32 "$tmp/s16.png" -b 8 "$tmp/s48.png" -r "$tmp/s32.png" -o sizes.ico
