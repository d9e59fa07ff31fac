#!/bin/sh
# Draws the program icon: a slide mount holding a small landscape, 32x32 and 16x16, 16 colours.
set -e
cd "$(dirname "$0")"
CONVERT=${CONVERT:-convert}
draw() { # size
    s=$1; k=$((s / 16))
    "$CONVERT" -size "${s}x${s}" xc:none \
        -fill '#f2ead3' -stroke '#8a7f66' -strokewidth "$k" -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((2*k)),$((2*k))" \
        -stroke none -fill '#3b6fb6' -draw "rectangle $((3*k)),$((3*k)) $((13*k-1)),$((13*k-1))" \
        -fill '#ffd23f' -draw "circle $((10*k)),$((6*k)) $((11*k)),$((6*k))" \
        -fill '#3f9b4a' -draw "polygon $((3*k)),$((13*k-1)) $((3*k)),$((10*k)) $((6*k)),$((8*k)) $((9*k)),$((10*k)) $((13*k-1)),$((9*k)) $((13*k-1)),$((13*k-1))" \
        -colors 16 "PNG8:tavlo-${s}.png"
}
draw 32
draw 16
