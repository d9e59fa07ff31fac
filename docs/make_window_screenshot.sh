#!/usr/bin/env bash
# Takes the README's screenshot of the window: the complete window with a small
# sample tree loaded. Usage: docs/make_window_screenshot.sh <tavlo binary>
set -euo pipefail
program=$(realpath "$1")
sample=/tmp/Immagini
[ -e "$sample" ] && { echo "$sample already exists" >&2; exit 1; }
mkdir -p "$sample/Vacanze/Mare" "$sample/Musica"
for name in Tramonto Spiaggia Barche Faro; do convert -size 320x240 plasma:orange-blue "$sample/Vacanze/Mare/$name.jpg"; done
for name in Montagna Lago; do convert -size 320x240 plasma:green-white "$sample/Vacanze/$name.jpg"; done
convert -size 320x240 gradient:purple-pink "$sample/Ritratto.jpg"
touch "$sample/Musica/Canzone.mp3" "$sample/Musica/Ballo.mid"
out="$(cd "$(dirname "$0")" && pwd)/window.png"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$sample"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$program" >/dev/null 2>&1 &
program_pid=$!
for _ in $(seq 100); do xdotool search --name '^TAVLO$' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool key alt+n  # the complete window
for _ in $(seq 100); do xdotool search --name 'Creazione Tavlo' >/dev/null 2>&1 && break; sleep 0.1; done
window=$(xdotool search --name 'Creazione Tavlo' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Type the sample folder and the output page, then load all known types.
xdotool mousemove $((X + 2280 / 15 + 20)) $((Y + 240 / 15 + 8)) click 1 key ctrl+a type "$sample/"
xdotool mousemove $((X + 2280 / 15 + 20)) $((Y + 960 / 15 + 8)) click 1 key ctrl+a type "$sample/TAVLO.HTM"
xdotool mousemove $((X + 6855 / 15 + 40)) $((Y + 1575 / 15 + 20)) click 1
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out"
kill "$program_pid" 2>/dev/null || true
echo "$out"
