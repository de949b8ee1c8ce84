#!/usr/bin/env bash
# Makes the dialogs' pictures with ImageMagick 6. Each is 48 × 64 pixels in 16 colours (4 bits,
# the classic 16-colour palette) on silver, which the dialogs draw as see-through (the colour
# of the bottom-left pixel):
#   QUESTIONICON.bmp     a green question mark over a dark drop shadow
#   INFORMATIONICON.bmp  a blue lower-case i over a dark drop shadow
# Steps for each: draw the glyph in the shadow colour three pixels down and right, draw it again
# in its own colour in place, both without antialiasing; then map every pixel to the nearest of
# the 16 palette colours without dithering and write a 4-bit BMP.
set -euo pipefail
cd "$(dirname "$0")"

palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT
convert -size 1x1 xc:black xc:maroon xc:green xc:olive xc:navy xc:purple xc:teal xc:silver \
    xc:gray xc:red xc:lime xc:yellow xc:blue xc:fuchsia xc:cyan xc:white +append "$palette"

# picture name font size glyph colour x-offset y-offset
picture() {
    convert -size 48x64 xc:silver +antialias -font "$2" -pointsize "$3" -gravity center \
        -fill gray -annotate "+$(($6 + 3))+$(($7 + 3))" "$4" \
        -fill "$5" -annotate "+$6+$7" "$4" \
        -dither None -remap "$palette" -type Palette -colors 16 -compress None "BMP3:$1.bmp"
}

picture QUESTIONICON DejaVu-Sans-Bold 58 '?' green -1 -2
picture INFORMATIONICON DejaVu-Serif-Bold 62 'i' blue -2 -2
