#!/bin/sh
# Remakes the metafile fixtures with Inkscape 1.2, LibreOffice 7.4 (soffice) and ImageMagick 6.9
# (convert); tests/data/README.md says the same a file at a time. shapes.svg is written by hand;
# picture.svg is made here around a bitmap ImageMagick draws.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# LibreOffice keeps its profile under HOME; a scratch one leaves the user's alone.
export HOME="$tmp"

convert -size 16x16 xc:white -fill black -draw "rectangle 0,0 7,7" -fill red \
    -draw "rectangle 8,8 15,15" -type truecolor "$tmp/bitmap.png"
cat >picture.svg <<SVG
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="64" height="32" viewBox="0 0 64 32">
  <rect x="0" y="0" width="64" height="32" fill="#ffffff"/>
  <image x="0" y="0" width="32" height="32" image-rendering="pixelated" preserveAspectRatio="none" xlink:href="data:image/png;base64,$(base64 -w0 "$tmp/bitmap.png")"/>
  <rect x="40" y="8" width="16" height="16" fill="#0000ff"/>
</svg>
SVG

for drawing in shapes picture; do
    for kind in emf wmf; do
        inkscape $drawing.svg --export-type=$kind --export-filename=inkscape-$drawing.$kind
        soffice --headless --convert-to $kind --outdir "$tmp" $drawing.svg
        mv "$tmp/$drawing.$kind" libreoffice-$drawing.$kind
    done
done
# The same metafile without its 22-byte placeable header.
tail -c +23 libreoffice-shapes.wmf >libreoffice-plain.wmf
