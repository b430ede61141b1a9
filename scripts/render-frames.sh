#!/bin/sh
# Regenerates docs/frames/frame-1.png .. frame-3.png, the README's pictures: three moments of
# the default scene drawn offscreen by the built saver (seed and frame count per moment; the
# camera moves with the clock, so a slower or faster machine catches a nearby moment).
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
for moment in "1 400" "3 1200" "5 400"; do
    set -- $moment
    XDG_CONFIG_HOME=$config "$build/tarnel" --headless --size 480x360 --seed "$1" --frames "$2" \
        --render "$root/docs/frames/frame-$n.png" --data "$build/data.sdd"
    n=$((n + 1))
done
echo "wrote $root/docs/frames/frame-1.png .. frame-$((n - 1)).png"
