#!/bin/sh
# Draws TAVLO's gallery images: slide mount, four 100x100 icons and two dark backgrounds.
set -e
cd "$(dirname "$0")"
IM=${CONVERT:-convert}
OUT="-strip -sampling-factor 1x1 -quality 90"

# Slide mount 130x130: ivory cardboard frame, dark 100x100 window in the centre.
$IM -size 130x130 xc:'#18202b' \
  -fill '#b9ae96' -draw 'roundrectangle 1,1 128,128 6,6' \
  -fill '#efe8d6' -draw 'roundrectangle 2,2 127,127 5,5' \
  -fill '#f8f3e6' -draw 'roundrectangle 4,4 125,125 4,4' \
  -fill '#d9cfb8' -draw 'roundrectangle 12,12 117,117 4,4' \
  -fill '#9a8f78' -draw 'roundrectangle 13,13 116,116 3,3' \
  -fill '#14181e' -draw 'roundrectangle 15,15 114,114 2,2' \
  $OUT DIAPOSIT.JPG

# icon NAME COLOUR DRAW...: white glyph on a flat rounded tile over the dark window colour.
icon() {
  name=$1 colour=$2; shift 2
  $IM -size 100x100 xc:'#14181e' -fill "$colour" -draw 'roundrectangle 5,5 94,94 14,14' \
    -fill '#fbf8f0' -stroke none "$@" $OUT "$name"
}

icon Foto-1a.jpg '#2a9d8f' \
  -draw 'roundrectangle 20,34 80,76 7,7' -draw 'polygon 37,35 42,26 58,26 63,35' \
  -fill '#2a9d8f' -draw 'circle 50,55 50,38' -fill '#fbf8f0' -draw 'circle 50,55 50,42' \
  -fill '#1f7a6f' -draw 'circle 50,55 50,47' -fill '#fbf8f0' -draw 'circle 47,52 47,50' \
  -fill '#2a9d8f' -draw 'rectangle 69,40 75,44'

icon Film-1a.jpg '#e0674a' \
  -draw 'rectangle 30,14 70,86' -fill '#e0674a' \
  -draw 'rectangle 33,18 37,22' -draw 'rectangle 33,28 37,32' -draw 'rectangle 33,38 37,42' \
  -draw 'rectangle 33,48 37,52' -draw 'rectangle 33,58 37,62' -draw 'rectangle 33,68 37,72' \
  -draw 'rectangle 33,78 37,82' -draw 'rectangle 63,18 67,22' -draw 'rectangle 63,28 67,32' \
  -draw 'rectangle 63,38 67,42' -draw 'rectangle 63,48 67,52' -draw 'rectangle 63,58 67,62' \
  -draw 'rectangle 63,68 67,72' -draw 'rectangle 63,78 67,82' \
  -fill '#f2b8a6' -draw 'rectangle 41,18 59,47' -draw 'rectangle 41,53 59,82'

icon Music-1a.jpg '#8a67c4' \
  -draw 'translate 37,71 rotate -25 ellipse 0,0 10.5,7.5 0,360' \
  -draw 'translate 67,63 rotate -25 ellipse 0,0 10.5,7.5 0,360' \
  -draw 'rectangle 43,28 47,71' -draw 'rectangle 73,20 77,63' \
  -draw 'polygon 43,28 77,20 77,31 43,39'

icon Htm-1a.jpg '#3a84c6' \
  -fill none -stroke '#fbf8f0' -strokewidth 4 -draw 'circle 50,50 50,22' \
  -strokewidth 3 -draw 'ellipse 50,50 12,28 0,360' -draw 'line 22,50 78,50' \
  -draw 'line 26,36 74,36' -draw 'line 26,64 74,64' -draw 'line 50,22 50,78'

# Large background: deep blue-slate with a soft lighter glow in the middle.
$IM -size 400x300 radial-gradient:white-black -blur 0x30 -resize 1600x1200! \
  +level-colors '#10151d,#2c3b50' -seed 3 -attenuate 0.12 +noise Gaussian \
  $OUT Sfondo1g.jpg

# Small tileable background: the same dark slate with a fine grain.
$IM -size 200x200 xc:'#1c2532' -seed 5 -attenuate 0.35 +noise Gaussian \
  -virtual-pixel tile -blur 0x0.6 $OUT Sfondo1p.jpg
