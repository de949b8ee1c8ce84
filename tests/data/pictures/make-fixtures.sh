#!/bin/sh
# Makes the picture fixtures again with ImageMagick (see ../README.md).
set -e
cd "$(dirname "$0")"
convert -size 136x126 xc:black -fill white -draw "rectangle 10,10 60,40" -draw "circle 100,80 100,110" -draw "line 0,125 135,0" -type bilevel BMP3:logo.bmp
convert logo.bmp logo.png
convert logo.bmp logo.gif
convert logo.bmp -quality 95 logo.jpg
convert -size 40x30 xc:"rgba(255,255,255,0)" -fill white -draw "rectangle 5,5 20,20" alpha.png
convert -size 200x150 xc:black -fill red -draw "rectangle 0,0 199,149" -fill lime -draw "rectangle 140,0 199,149" -type truecolor large.png
head -c 60 logo.png > truncated.png
head -c 100 logo.jpg > truncated.jpg
head -c 10 logo.gif > truncated.gif
