#!/usr/bin/env bash
# Cross-builds tarnel.scr and the unit tests with MinGW-w64 and runs them under Wine on a
# private Xvfb (Wine's OpenGL goes through GLX to Mesa), then the saver end to end.
# data.sdd comes from the native build. With --prepare it only builds and makes the Wine
# prefix, which CI does beside the sanitizer suite.
# Usage: scripts/test-windows.sh [--prepare] [native-build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
prepare=false
if [ "${1:-}" = --prepare ]; then prepare=true; shift; fi
native=$(realpath -m "${1:-build}")
[ -f "$native/data.sdd" ] || cmake --build "$native" --target default_package
[ -f "$native/resources/icon.ico" ] || cmake --build "$native" --target resource_pictures
cmake --preset windows -DTARNEL_NATIVE_PACKAGE="$native/data.sdd" -DTARNEL_NATIVE_PICTURES="$native/resources" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/wine-run.sh" >/dev/null
cmake --build build-windows

export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's first start builds the prefix (slow): once per build tree.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
$prepare && exit 0

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
source scripts/xvfb.sh
start_xvfb "$work" || { cat "$work/xvfb.log" >&2; exit 1; }

# One Wine session for every test program, started here with its output elsewhere: the
# server and the desktop process outlive the first program, and would otherwise hold
# ctest's output pipe open until they exit.
wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1
ctest --test-dir build-windows -L windows --output-on-failure -j2
bash tests/e2e/windows_saver_e2e.sh build-windows/tarnel.scr
for scenario in dialog_template dialog_ok dialog_save_refused dialog_cancel dialog_owner visit preview preview_without_window icon; do
    bash tests/e2e/windows_dialog_e2e.sh "$scenario" build-windows/tarnel.scr build-windows/tests/win32 "$native/resources"
done
