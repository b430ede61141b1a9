#!/usr/bin/env bash
# tarnel.scr /s under Wine on the current X display (scripts/test-windows.sh provides a
# private Xvfb and the Wine prefix): it loads the default package beside it, draws the
# scene (a screenshot is probed), ends with status 0 on a key sent by xdotool, and leaves
# the registry key as it found it.
# Usage: windows_saver_e2e.sh TARNEL_SCR
set -euo pipefail
scr=$1
work=$(mktemp -d)
saver_pid=""
cleanup() {
    [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/saver.log" ] && cat "$work/saver.log" >&2; exit 1; }

key='HKCU\Software\Vossick\Tarnel'
# Silent, desktop mode, clock off so that the picture is the scene alone; Path left unset,
# so the data is found beside the program.
wine reg delete "$key" /f >/dev/null 2>&1 || true
for value in EnableMusic:0 UseDesktop:1 ShowClock:0 DefGamma:1 Speed:50 MouseExit:0; do
    wine reg add "$key" /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null
done
wine reg export "$key" "$work/before.reg" >/dev/null

started=$(date +%s.%N)
TARNEL_VERBOSE=1 wine "$scr" /s >"$work/saver.log" 2>&1 &
saver_pid=$!
for _ in $(seq 600); do
    grep -q '^tarnel: loaded, the flight starts' "$work/saver.log" && break
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended while loading"
    sleep 0.1
done
grep -q '^tarnel: loaded, the flight starts' "$work/saver.log" || fail "the saver did not finish loading"
loaded=$(date +%s.%N)
sleep 2
kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"

import -window root "$work/shot.png"
mean=$(convert "$work/shot.png" -colorspace Gray -format '%[fx:mean]' info:)
brightest=$(convert "$work/shot.png" -colorspace Gray -format '%[fx:maxima]' info:)
colours=$(convert "$work/shot.png" -format '%k' info:)
# The night side can fill the view and leave the mean near black; stars and city lights
# still make bright pixels.
awk -v b="$brightest" 'BEGIN { exit !(b > 0.3) }' || fail "the screen is black (brightest $brightest, mean $mean)"
[ "$colours" -gt 200 ] || fail "only $colours colours on the screen: no scene drawn"
echo "screenshot: mean grey $mean, $colours colours"

xdotool key space
status=0
for _ in $(seq 100); do
    kill -0 "$saver_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$saver_pid" 2>/dev/null && fail "a key did not end the saver"
wait "$saver_pid" || status=$?
saver_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
frames=$(sed -n 's/^tarnel: drew \([0-9]*\) frames.*$/\1/p' "$work/saver.log" | tr -d '\r')
[ -n "$frames" ] && [ "$frames" -gt 0 ] || fail "no frames drawn"

wine reg export "$key" "$work/after.reg" >/dev/null
cmp -s "$work/before.reg" "$work/after.reg" || fail "the saver changed the registry"
awk -v a="$started" -v b="$loaded" 'BEGIN { printf "loaded in %.1f s; ", b - a }'
echo "ended with status 0 after $frames frames; registry untouched"
