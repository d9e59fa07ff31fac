#!/bin/sh
# Draws a small folder tree of sample holiday pictures (with a song, a film and a
# web page beside them) for the README's screenshots of a gallery.
# Usage: docs/draw_samples.sh <empty folder>
set -e
out=$1
[ -n "$out" ] || { echo "usage: $0 <folder>" >&2; exit 2; }
IM=${CONVERT:-convert}
JPEG="-strip -quality 88"
mkdir -p "$out/Mare" "$out/Montagna" "$out/Campagna"

# Sunset over the sea: the sun half under the horizon, its light on the water.
$IM -size 640x300 gradient:'#3b1f5c'-'#ff8c5a' \
    -fill '#ffd98a' -draw 'circle 320,300 320,244' \
    \( -size 640x180 gradient:'#6a3d6e'-'#101d3a' \
       -fill '#ffc46b' -draw 'rectangle 290,6 350,9' -draw 'rectangle 270,22 370,25' \
       -draw 'rectangle 298,42 342,44' -draw 'rectangle 282,64 358,66' -draw 'rectangle 305,92 335,93' \) \
    -append -blur 0x0.8 $JPEG "$out/Mare/Tramonto.jpg"

# A beach: sky, sea, sand and a striped umbrella.
$IM -size 640x480 xc:'#f2d7a0' \
    -fill '#8fd3f4' -draw 'rectangle 0,0 640,200' \
    -fill '#1b8fb8' -draw 'rectangle 0,200 640,280' \
    -fill '#e9f7fb' -draw 'ellipse 320,282 420,10 0,360' \
    -fill '#fff6d8' -draw 'circle 90,70 90,40' \
    -fill '#6b4b2a' -draw 'rectangle 407,300 413,430' \
    -fill '#e8453c' -draw 'path "M 300,320 Q 410,230 520,320 Z"' \
    -fill '#fbf3e4' -draw 'path "M 373,320 Q 395,262 410,262 Q 425,262 447,320 Z"' \
    -blur 0x0.6 $JPEG "$out/Mare/Spiaggia.jpg"

# Mountains with snow under a clear sky, a green valley below.
$IM -size 640x480 gradient:'#4f8fd8'-'#d9ecfa' \
    -fill '#7d8ea8' -draw 'polygon 0,330 150,150 260,270 380,110 520,260 640,170 640,480 0,480' \
    -fill '#f4f8fb' -draw 'polygon 150,150 122,184 140,178 156,190 176,174' \
    -fill '#f4f8fb' -draw 'polygon 380,110 346,152 366,146 384,160 404,140 420,152' \
    -fill '#4d6178' -draw 'polygon 0,380 120,280 230,360 350,260 470,350 640,290 640,480 0,480' \
    -fill '#4f9a48' -draw 'polygon 0,420 200,380 420,410 640,370 640,480 0,480' \
    -blur 0x0.7 $JPEG "$out/Montagna/Vetta.jpg"

# A mountain lake at dawn: peaks mirrored in still water.
$IM -size 640x260 gradient:'#f7b267'-'#f4845f' \
    -fill '#5b4b72' -draw 'polygon 0,260 90,140 170,220 300,80 420,210 520,130 640,240 640,260' \
    -fill '#2f3e55' -draw 'polygon 0,260 60,220 160,250 260,200 380,250 500,215 640,260' \
    \( +clone -flip -blur 0x3 -fill '#1d4e6b' -colorize 35% \) -append \
    $JPEG "$out/Montagna/Lago.jpg"

# A starry night with a crescent moon over dark hills.
$IM -size 640x480 gradient:'#02030f'-'#1c2c5a' \
    \( -size 640x480 xc: -seed 7 +noise Random -channel G -separate +channel -threshold 99.6% \) \
    -compose screen -composite \
    -fill '#fff3c4' -draw 'circle 480,110 480,66' -fill '#07102a' -draw 'circle 500,96 500,56' \
    -fill '#0a0f1c' -draw 'path "M 0,400 Q 160,330 320,390 Q 480,440 640,360 L 640,480 L 0,480 Z"' \
    $JPEG "$out/Montagna/Notte stellata.jpg"

# Lavender rows running to the horizon under a summer sky.
$IM -size 640x480 gradient:'#9cc8f0'-'#f6e7c8' \
    -fill '#8a63c9' -draw 'rectangle 0,220 640,480' \
    -stroke '#5a3d99' -strokewidth 14 \
    -draw 'line 320,220 -200,480' -draw 'line 320,220 40,480' -draw 'line 320,220 250,480' \
    -draw 'line 320,220 400,480' -draw 'line 320,220 600,480' -draw 'line 320,220 860,480' \
    -stroke none -fill '#3f7a3a' -draw 'ellipse 540,214 60,16 0,360' \
    -blur 0x1 $JPEG "$out/Campagna/Lavanda.jpg"

# An autumn wood: warm leaves and dark trunks.
$IM -size 640x480 -seed 11 plasma:'#ffb347'-'#b3261e' -blur 0x6 \
    -fill '#3a2417' -draw 'rectangle 90,120 118,480' -draw 'rectangle 300,60 334,480' \
    -draw 'rectangle 500,160 522,480' -fill '#8c3b12' -draw 'rectangle 0,440 640,480' \
    $JPEG "$out/Campagna/Bosco d'autunno.jpg"

# Sunflowers on a green field.
$IM -size 640x480 -seed 3 plasma:'#5fae4a'-'#2d6b2a' -blur 0x8 \
    -fill '#ffcf1f' -draw 'circle 160,170 160,110' -draw 'circle 430,230 430,150' -draw 'circle 560,120 560,80' \
    -fill '#5a3210' -draw 'circle 160,170 160,145' -draw 'circle 430,230 430,196' -draw 'circle 560,120 560,103' \
    $JPEG "$out/Campagna/Girasoli.jpg"

# A song, a film and a web page: the gallery shows them by their icons.
# A lighthouse on a rock, upright: a portrait picture.
$IM -size 480x720 gradient:'#7fb6e6'-'#f3e2c4' \
    -fill '#1f6f99' -draw 'rectangle 0,560 480,720' \
    -fill '#5b4a3c' -draw 'path "M 120,720 L 170,590 L 330,575 L 380,720 Z"' \
    -fill '#f4f1ea' -draw 'path "M 205,590 L 222,230 L 278,230 L 295,590 Z"' \
    -fill '#c8352e' -draw 'path "M 208,520 L 212,450 L 288,450 L 292,520 Z"' \
    -draw 'path "M 215,380 L 218,310 L 282,310 L 285,380 Z"' \
    -fill '#2b2b33' -draw 'rectangle 212,200 288,232' \
    -fill '#ffe9a0' -draw 'rectangle 224,206 276,228' \
    -fill '#c8352e' -draw 'path "M 206,200 L 250,160 L 294,200 Z"' \
    -blur 0x0.6 $JPEG "$out/Mare/Faro.jpg"

# A song with the sunset as its cover, and a boat trip past the lighthouse: a slow zoom
# that opens on black (FFmpeg's own program).
ffmpeg -v error -y -f lavfi -i sine=f=440:d=4 -i "$out/Mare/Tramonto.jpg" -map 0 -map 1 -c:v mjpeg \
    -disposition:v attached_pic "$out/Mare/Canzone.mp3"
ffmpeg -v error -y -loop 1 -i "$out/Mare/Faro.jpg" -t 6 -r 25 \
    -vf "scale=1280:-2,zoompan=z='1+on/300':d=1:s=640x480,fade=t=in:st=0:d=1" -c:v libx264 -pix_fmt yuv420p \
    "$out/Mare/Gita in barca.mp4"
printf '<html><body><h1>Diario di viaggio</h1></body></html>\n' > "$out/Diario di viaggio.htm"
