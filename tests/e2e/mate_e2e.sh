#!/usr/bin/env bash
# MATE's screensaver runs tarnel from the package's screensaver entry: told to activate, it
# starts the hack in its window, the hack draws with its own gamma, and told to deactivate it
# stops the hack, which ends within a second and leaves the gamma as it found it. The daemon
# runs only themes whose program lies in a folder it knows (/usr/libexec/xscreensaver among
# them), so the extracted package is laid over /usr in a mount namespace of the test's own,
# as if installed. It needs a session bus (dbus-run-session) and reads its settings through
# GSettings' keyfile backend. Skipped (77) without the daemon, root or mount namespaces.
# Usage: mate_e2e.sh PACKAGE_DIR (holding tarnel_VERSION_ARCH.deb)
set -euo pipefail
packages=$1
source "$(dirname "$0")/host_lib.sh"
need --mount mate-screensaver mate-screensaver-command dbus-run-session dpkg-deb

extract_package "$packages"
make_home
mkdir -p "$work/home/.config/glib-2.0/settings"
cat >"$work/home/.config/glib-2.0/settings/keyfile" <<'EOT'
[org/mate/screensaver]
mode='single'
themes=['screensavers-tarnel']
lock-enabled=false
idle-activation-enabled=false
EOT
# The session: the daemon on a bus of its own, whose address the test's commands use.
cat >"$work/session.sh" <<'EOT'
echo "$DBUS_SESSION_BUS_ADDRESS" >"$1"
exec mate-screensaver --no-daemon --debug
EOT
chown -R nobody "$work/home"
touch "$work/bus" && chown nobody "$work/bus"

start_screen 640x480x24
before=$(screen_gamma)
as_installed_user XDG_CURRENT_DESKTOP=MATE GSETTINGS_BACKEND=keyfile NO_AT_BRIDGE=1 \
    dbus-run-session -- sh "$work/session.sh" "$work/bus" >"$work/daemon.log" 2>&1 &
session=$!
pids+=("$session")
command_daemon() { as_user env DBUS_SESSION_BUS_ADDRESS="$(cat "$work/bus")" mate-screensaver-command "$@"; }
for _ in $(seq 50); do [ -s "$work/bus" ] && command_daemon --query >/dev/null 2>&1 && break; sleep 0.2; done
command_daemon --activate >/dev/null 2>&1 || fail "the daemon does not answer"
pid=$(wait_descendant "$session" /usr/libexec/xscreensaver/tarnel "the daemon")
grep -qa -- --root "/proc/$pid/cmdline" || fail "the entry did not give --root"
wait_drawn "$pid" "the daemon's window"
during=$(screen_gamma)
[ "$during" != "$before" ] || fail "the saver's gamma did not reach the screen: $during"
command_daemon --deactivate >/dev/null 2>&1 || fail "the daemon did not take the deactivation"
wait_ended "$pid" "deactivation"
[ "$(screen_gamma)" = "$before" ] || fail "gamma after the run: $(screen_gamma), before: $before"
command_daemon --exit >/dev/null 2>&1 || true
echo "PASS: mate-screensaver"
