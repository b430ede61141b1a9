#!/usr/bin/env bash
# The screensaver daemon runs tarnel from a programs line: it activates it, the hack draws
# into the daemon's window with its own gamma, and on deactivation it ends within a second of
# SIGTERM, leaving the gamma as it found it. The
# settings program's preview (--root --window-id) draws and keeps running. The daemon
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
programs: GL: $work/bin/tarnel --root --no-clock \n
EOT
chown -R nobody "$work/home"

start_screen 800x600x24
before=$(screen_gamma)

as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
daemon=$!
pids+=("$daemon")
for _ in $(seq 50); do as_user xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.2; done
as_user xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon does not answer"
pid=$(wait_descendant "$daemon" "$work/bin/tarnel" "the daemon")
wait_drawn "$pid" "the daemon's window"
sleep 3  # past the loading, into the loop
during=$(screen_gamma)
[ "$during" != "$before" ] || fail "the saver's gamma did not reach the screen: $during"
as_user xscreensaver-command -deactivate >/dev/null 2>&1
# The daemon's helper that forked tarnel is killed first, so an ended tarnel may stay a zombie
# until something reaps it.
wait_ended "$pid" "deactivation"
[ "$(screen_gamma)" = "$before" ] || fail "gamma after the run: $(screen_gamma), before: $before"

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
