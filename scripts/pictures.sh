#!/usr/bin/env bash
# Pictures for people: scripts/pictures.sh [OUT_DIR]
# Builds, then writes the composed backgrounds, the sprite contact sheet, a still of a running
# demonstration (game.png) and the first 30 seconds of its sailing as an animated GIF.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/pictures"}
"$root/scripts/build.sh" "$root/build" >/dev/null
snapshot="$root/build/tools/snapshot/snapshot"
data="$root/build/data"
mkdir -p "$out"
"$snapshot" "$data" "$out"
"$snapshot" "$data" "$out" --game --seed 12345 --at 42.3
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
# The boat starts to sail 7.5 s after the demonstration starts.
"$snapshot" "$data" "$frames" --game --seed 12345 --at 7.5 --frames 150 --every 200
for f in "$out"/*.bmp; do convert "$f" "${f%.bmp}.png" && rm "$f"; done
convert -delay 20 -loop 0 "$frames"/frame-*.bmp -resize 50% -layers Optimize "$out/sailing.gif"
echo "pictures in $out"
