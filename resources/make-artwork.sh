#!/usr/bin/env bash
# Makes the panel artwork with ImageMagick 6; fixed seeds make the same pictures every time.
#   background.bmp    1024 × 800, 8 bits: brushed light steel, the editor window's backdrop,
#                     light enough for navy, maroon and teal captions to read on it
#   DEFAULTPANEL.bmp  64 × 32, 4 bits: the same brushing in 16 colours, a new panel's face
set -euo pipefail
cd "$(dirname "$0")"

brushed() { # width height seed streak-length
    convert -size "$1x$2" -seed "$3" xc: +noise Random -channel G -separate +channel \
        -blur 0x0.6 -motion-blur "0x$4+0" -auto-level +level 66%,82% \
        -fill '#8a9bb0' -colorize 20% miff:-
}

# A faint light from the top.
brushed 1024 800 1999 12 |
    convert - \( -size 1024x800 gradient:'#161616'-'#000000' \) -compose Plus -composite \
        -dither None -colors 256 -type Palette -compress None BMP3:background.bmp
brushed 64 32 64 6 | convert - -dither None -colors 16 -type Palette -compress None BMP3:DEFAULTPANEL.bmp
