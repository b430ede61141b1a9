#!/usr/bin/env bash
# The screensaver daemon runs tarnel from a programs line: it activates it, the hack draws
# into the daemon's window at --gamma 100, and on deactivation (which destroys that window) it
# ends within a second and the ramp from before is back, three times in a row. The settings
# program's preview (--root --window-id) draws and keeps running. The daemon
# refuses to run hacks as root, so everything runs as nobody. Skipped (77) without the
# daemon or without root to change user.
# Usage: xscreensaver_e2e.sh TARNEL
set -euo pipefail
tarnel=$1
command -v xscreensaver >/dev/null && command -v runuser >/dev/null && [ "$(id -u)" -eq 0 ] || exit 77
work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# A sanitizer build runs several times slower: its deadlines are stretched by this factor.
slowdown=${TARNEL_TEST_SLOWDOWN:-1}
fail() { echo "FAIL: $*" >&2; tail -n 30 "$work"/*.log >&2 2>/dev/null || true; exit 1; }
# A sanitizer build's leak check at exit takes seconds in a process this large, past the
# deadline; the leak checks belong to the unit tests.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
as_user() { runuser -u nobody -- env HOME="$work/home" DISPLAY="$DISPLAY" XDG_CONFIG_HOME="$work/home/.config" \
    ASAN_OPTIONS="$ASAN_OPTIONS" TARNEL_VERBOSE="${TARNEL_VERBOSE:-0}" "$@"; }

# The program and its data in a folder the user can read.
mkdir -p "$work/bin" "$work/home/.config/tarnel"
cp "$tarnel" "$work/bin/tarnel"
cp "$(dirname "$tarnel")/data.sdd" "$work/bin/" || fail "no data package beside $tarnel"
printf 'EnableMusic=0\n' >"$work/home/.config/tarnel/settings.ini"
cat >"$work/home/.xscreensaver" <<EOT
mode: one
selected: 0
timeout: 0:30:00
lock: False
splash: False
fade: False
unfade: False
dpmsEnabled: False
programs: GL: $work/bin/tarnel --root --no-clock --gamma 100 \n
EOT
chown -R nobody "$work/home"

source "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb "$work" 800x600x24 || { echo "Xvfb did not start" >&2; exit 1; }
pids+=("$xvfb_pid")

# The oldest: the saver, not its display watcher, which has the same command line.
hack_pid() { pgrep -o -u nobody -f "$work/bin/tarnel --root"; }
not_black() { # the screen has some colour in it
    import -window root "$work/shot.png"
    [ "$(convert "$work/shot.png" -format '%[fx:maxima.r+maxima.g+maxima.b > 0.1]' info:)" = 1 ]
}
# A busy machine or a sanitizer build can take seconds before the first picture.
wait_drawn() {  # pid what
    for _ in $(seq 30); do
        sleep 0.5
        kill -0 "$1" 2>/dev/null || fail "tarnel ended early in $2"
        not_black && return 0
    done
    fail "nothing drawn in $2"
}

screen_gamma() { xrandr --current --verbose | sed -n 's/^[[:space:]]*\(Gamma\|Brightness\):[[:space:]]*//p' | tr '\n' ' '; }
xrandr --output screen --gamma 0.8:0.9:1.25
before=$(screen_gamma)
# Verbose hacks say in the daemon's log when their flight starts.
TARNEL_VERBOSE=1 as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do as_user xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.2; done
# The daemon's helper that forked tarnel is killed first, so an ended tarnel may stay a zombie
# until something reaps it: a zombie has ended.
running() { kill -0 "$1" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }
for round in 1 2 3; do
    as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon does not answer"
    pid=""
    for _ in $(seq 100); do pid=$(hack_pid) && [ -n "$pid" ] && break; sleep 0.1; done
    [ -n "$pid" ] || fail "the daemon did not start tarnel"
    wait_drawn "$pid" "the daemon's window"
    for _ in $(seq $((300 * slowdown))); do
        [ "$(grep -c '^tarnel: loaded, the flight starts$' "$work/daemon.log")" -ge "$round" ] && break
        sleep 0.1
    done
    sleep 0.5  # into the loop
    [ "$(screen_gamma)" != "$before" ] || fail "--gamma 100 did not reach the screen"
    as_user xscreensaver-command -deactivate >/dev/null 2>&1
    start=$(date +%s%N)
    while running "$pid"; do
        [ $(($(date +%s%N) - start)) -lt $((1500000000 * slowdown)) ] || fail "tarnel still runs after deactivation"
        sleep 0.05
    done
    ended=$((($(date +%s%N) - start) / 1000000))
    for _ in $(seq 20); do [ "$(screen_gamma)" = "$before" ] && break; sleep 0.05; done
    [ "$(screen_gamma)" = "$before" ] || fail "round $round: the gamma stayed at $(screen_gamma)"
    echo "round $round: tarnel ended $ended ms after deactivation, the gamma back"
    # The daemon's next activation needs it idle again.
    sleep 0.5
done

# The settings program's preview: a window of another client, named by --window-id.
echo 'wm geometry . 320x240+0+0; frame .f -width 320 -height 240 -background black; pack .f
update; puts [winfo id .f]; flush stdout; vwait forever' >"$work/host.tcl"
coproc HOST { wish "$work/host.tcl"; }
pids+=($HOST_PID)
read -r parent <&"${HOST[0]}"
as_user "$work/bin/tarnel" --root --window-id "$parent" --no-clock >"$work/preview.log" 2>&1 &
pid=$!; pids+=($pid)
wait_drawn "$pid" "the preview"
kill -TERM "$pid"
for _ in $(seq $((10 * slowdown))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the preview outlived SIGTERM by ${slowdown} s"
echo "PASS: xscreensaver"
