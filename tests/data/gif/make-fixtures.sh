#!/bin/sh
# Remakes the GIF fixtures with ImageMagick (convert) and gifsicle; tests/data/README.md says the
# same a file at a time. The damaged variants are cut or patched from tool-made files.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for n in 2 4 8 16 32 64 128 256; do
    convert -seed 7 -size 40x30 plasma:fractal +dither -colors $n colors-$n.gif
done
convert -seed 3 -size 61x47 plasma:fractal +dither -colors 64 -interlace GIF interlaced.gif
for h in 1 2 3 4 5 8 9 17; do
    convert -size 7x$h gradient:black-white +dither -colors 16 -interlace GIF interlaced-h$h.gif
done
convert -size 24x20 xc:red xc:blue -seed 5 plasma:fractal local-tables.gif
convert -size 32x32 xc:none -fill red -draw "circle 16,16 16,4" -fill blue \
    -draw "rectangle 2,2 8,8" transparent.gif

for i in 0 1 2 3; do
    convert -size 30x20 xc:white -fill "rgb($((i * 80)),0,$((255 - i * 80)))" \
        -draw "rectangle $((i * 5)),$((i * 3)) $((i * 5 + 12)),$((i * 3 + 9))" "$tmp/d$i.gif"
done
gifsicle --disposal=none "$tmp/d0.gif" --disposal=asis "$tmp/d1.gif" \
    --disposal=background "$tmp/d2.gif" --disposal=previous "$tmp/d3.gif" >disposal.gif
gifsicle --delay 0 "$tmp/d0.gif" --delay 5 "$tmp/d1.gif" --delay 7000 "$tmp/d2.gif" >delays.gif
# (Two --comment options in one gifsicle 1.93 run crash it, hence the two runs.)
gifsicle --comment "before frame 0" "$tmp/d0.gif" >"$tmp/c0.gif"
gifsicle "$tmp/c0.gif" --comment "before frame 1" "$tmp/d1.gif" >comments.gif
head -c -1 comments.gif >comments-after.gif
printf '!\376\005after\000!\376\006second\000;' >>comments-after.gif
gifsicle --loopcount=5 --delay 10 "$tmp/d0.gif" "$tmp/d1.gif" "$tmp/d2.gif" >looping.gif
head -c -1 looping.gif >no-trailer.gif
at=$(LC_ALL=C grep -obUaP '\x21\xf9\x04' looping.gif | sed -n 2p | cut -d: -f1)
{ head -c "$at" looping.gif; printf '\000\000\000'; tail -c +"$((at + 1))" looping.gif; } \
    >zero-bytes.gif
cp looping.gif huge-frame.gif
printf '\377\377\377\377' | dd of=huge-frame.gif bs=1 seek="$((at + 13))" count=4 conv=notrunc 2>/dev/null
cp colors-16.gif uppercase.gif
printf 'gIf89A' | dd of=uppercase.gif bs=1 count=6 conv=notrunc 2>/dev/null
gifsicle --extension 2 "xx" "$tmp/d0.gif" >unknown-extension.gif

for i in 1 2 3; do
    convert -seed $i -size 48x40 plasma:fractal +dither -colors 256 "$tmp/p$i.gif"
done
gifsicle "$tmp/p1.gif" "$tmp/p2.gif" "$tmp/p3.gif" >"$tmp/three.gif"
head -c -30 "$tmp/three.gif" >cut-in-subblock.gif
convert -seed 9 -size 48x40 plasma:fractal +dither -colors 256 \
    \( +clone -fill red -draw "rectangle 5,5 12,12" \) \
    \( +clone -fill blue -draw "rectangle 20,10 40,30" \) "$tmp/steps.gif"
gifsicle -O3 "$tmp/steps.gif" >optimized.gif

for i in 0 1 2 3 4 5; do
    convert -seed 20 -size 24x32 plasma:fractal -fill yellow \
        -draw "circle 12,$((6 + i * 4)) 12,$((9 + i * 4))" +dither -colors 16 "$tmp/a$i.gif"
done
gifsicle --interlace --loopcount=forever --delay 1 "$tmp/a0.gif" --delay 30 "$tmp/a1.gif" \
    --disposal=asis "$tmp/a2.gif" --disposal=none --delay 10 "$tmp/a3.gif" "$tmp/a4.gif" \
    "$tmp/a5.gif" >"$tmp/ga1.gif"
head -c -1 "$tmp/ga1.gif" >animation-16.gif
printf '!\376\006Varnel\000;' >>animation-16.gif
for i in 0 1 2 3; do
    convert -seed 30 -size 42x49 plasma:fractal -fill white \
        -draw "rectangle 0,0 41,$((10 + i * 8))" +dither -colors 256 "$tmp/b$i.gif"
done
gifsicle --interlace --loopcount=1000 --disposal=background --transparent "#ffffff" \
    --comment "about" --delay 2 "$tmp/b0.gif" "$tmp/b1.gif" "$tmp/b2.gif" --delay 1 \
    "$tmp/b3.gif" >animation-256.gif
