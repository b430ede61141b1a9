#!/bin/sh
# Regenerates docs/frames/frame-1.png .. frame-3.png, the README's pictures: three moments of
# the default scene drawn offscreen by the built saver, the first on a 16:9 screen. Each
# moment is a seed and a frame count; the flight advances a fixed 1/30 s a frame (as in
# --bench), so every machine draws the same pictures.
#   scripts/render-frames.sh [BUILD_DIR]     (default: build; needs tarnel and data.sdd built)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/tarnel" "$root/docs/frames"
# Our own settings: no clock, no music, the default speed, whatever the user has set.
printf 'ShowClock=0\nShowFPS=0\nEnableMusic=0\nSpeed=50\n' > "$config/tarnel/settings.ini"
n=1
for moment in "640x360 11 900" "480x360 12 360" "480x360 3 900"; do
    set -- $moment
    XDG_CONFIG_HOME=$config "$build/tarnel" --bench --size "$1" --seed "$2" --frames "$3" \
        --render "$root/docs/frames/frame-$n.png" --data "$build/data.sdd" > /dev/null
    n=$((n + 1))
done
echo "wrote $root/docs/frames/frame-1.png .. frame-$((n - 1)).png"
