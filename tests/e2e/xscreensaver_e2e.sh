#!/usr/bin/env bash
# The screensaver daemon runs tarnel from a programs line: it activates it, the hack draws
# into the daemon's window at --gamma 100, and on deactivation (which destroys that window) it
# ends and the ramp from before is back, three times in a row. The settings
# program's preview (--root --window-id) draws and keeps running. The daemon
# refuses to run hacks as root, so everything runs as nobody. Skipped (77) without the
# daemon or without root to change user.
# Usage: xscreensaver_e2e.sh TARNEL
set -euo pipefail
tarnel=$1
source "$(dirname "$0")/host_lib.sh"
need xscreensaver xscreensaver-command wish

# The program and its data in a folder the user can read.
mkdir -p "$work/bin"
cp "$tarnel" "$work/bin/tarnel"
cp "$(dirname "$tarnel")/data.sdd" "$work/bin/" || fail "no data package beside $tarnel"
make_home
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

start_screen 800x600x24
# A ramp of the user's own, not the identity, so that a run that resets the ramp shows.
xrandr --output screen --gamma 0.8:0.9:1.25
before=$(screen_gamma)
# Verbose hacks say in the daemon's log when their flight starts.
as_user env TARNEL_VERBOSE=1 xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
daemon=$!
pids+=("$daemon")
for _ in $(seq 50); do as_user xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.2; done
for round in 1 2 3; do
    as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon does not answer"
    pid=$(wait_descendant "$daemon" "$work/bin/tarnel" "the daemon")
    wait_drawn "$pid" "the daemon's window"
    for _ in $(seq $((300 * slowdown))); do
        [ "$(grep -c '^tarnel: loaded, the flight starts$' "$work/daemon.log")" -ge "$round" ] && break
        sleep 0.1
    done
    sleep 0.5  # into the loop
    [ "$(screen_gamma)" != "$before" ] || fail "round $round: --gamma 100 did not reach the screen"
    as_user xscreensaver-command -deactivate >/dev/null 2>&1
    # The daemon's helper that forked tarnel is killed first, so an ended tarnel may stay a
    # zombie until something reaps it.
    wait_ended "$pid" "deactivation"
    for _ in $(seq 20); do [ "$(screen_gamma)" = "$before" ] && break; sleep 0.05; done
    [ "$(screen_gamma)" = "$before" ] || fail "round $round: the gamma stayed at $(screen_gamma), before: $before"
    echo "round $round: the gamma back"
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
