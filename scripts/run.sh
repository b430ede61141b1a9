#!/usr/bin/env bash
# Builds Tarnel and runs the saver on its default data: full screen when a display is there,
# otherwise it renders the default scene headless to a PNG and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/tarnel /s
fi
out="$PWD/build/tarnel-frame.png"
build/tarnel --headless --size 1024x768 --frames 120 --render "$out"
echo "No display: rendered the default scene to $out"
