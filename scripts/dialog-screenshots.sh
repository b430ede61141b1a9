#!/usr/bin/env bash
# Pictures of the configuration dialog at the font scales 1.0, 1.5 and 2.0, taken from the
# real program under a private Xvfb, into docs/dialog/dialog-SCALE.png (reduced to a palette,
# so that they stay small). Usage: scripts/dialog-screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
[ -f "$build/resources/dialog.png" ] || cmake --build "$build" --target tarnel resource_pictures
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
source scripts/xvfb.sh
start_xvfb "$work" 1600x1200x24 || { cat "$work/xvfb.log" >&2; exit 1; }
export XDG_CONFIG_HOME="$work/config" NO_AT_BRIDGE=1
mkdir -p "$work/config/tarnel" docs/dialog
printf 'UseDesktop=0\nWidth=1600\nHeight=1200\nDepth=32\nDefGamma=0\nGamma=50\nSpeed=50\nVolume=80\n' \
    >"$work/config/tarnel/settings.ini"
for scale in 1.0 1.5 2.0; do
    GDK_DPI_SCALE=$scale "$build/tarnel" /c >"$work/tarnel.log" 2>&1 &
    pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Tarnel Configuration$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { cat "$work/tarnel.log" >&2; exit 1; }
    sleep 1
    import -window "$window" "$work/shot.png"
    convert "$work/shot.png" -strip -colors 64 "PNG8:docs/dialog/dialog-$scale.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
ls -l docs/dialog
