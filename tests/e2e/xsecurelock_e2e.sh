#!/usr/bin/env bash
# xsecurelock runs tarnel through its xscreensaver saver module (XSECURELOCK_SAVER=
# saver_xscreensaver), which takes the hack from the programs list of ~/.xscreensaver: the
# lock starts it in its window, the hack draws with its own gamma, and when the user types
# the password the lock ends and stops the hack, which ends within a second and leaves the
# gamma as it found it. The package is laid over /usr in a mount namespace of the test's own,
# as if installed, and the module is pointed at /usr/libexec/xscreensaver as on Debian (its
# default folder is /usr/lib/xscreensaver). The lock asks the system for the password
# through an authentication module; the test's module takes the place of the PAM one and
# accepts one password. Skipped (77) without xsecurelock, root or mount namespaces.
# Usage: xsecurelock_e2e.sh PACKAGE_DIR (holding tarnel_VERSION_ARCH.deb)
set -euo pipefail
packages=$1
source "$(dirname "$0")/host_lib.sh"
need --mount xsecurelock xdotool xrdb dpkg-deb

extract_package "$packages"
make_home
printf 'mode: one\nselected: 0\nprograms: GL: tarnel --root --no-clock \\n\n' >"$work/home/.xscreensaver"
# The authentication protocol: ask for a password, succeed when it is the right one.
cat >"$work/authproto" <<'EOT'
#!/bin/sh
printf 'P 9\nPassword:\n'
read -r kind length
read -r password
[ "$kind" = p ] && [ "$password" = lunar ]
EOT
chmod 755 "$work/authproto"
chown -R nobody "$work/home"

start_screen 640x480x24
before=$(screen_gamma)
as_installed_user XSECURELOCK_SAVER=saver_xscreensaver XSECURELOCK_XSCREENSAVER_PATH=/usr/libexec/xscreensaver \
    XSECURELOCK_AUTHPROTO="$work/authproto" xsecurelock >"$work/lock.log" 2>&1 &
lock=$!
pids+=("$lock")
pid=$(wait_descendant "$lock" /usr/libexec/xscreensaver/tarnel "the lock")
wait_drawn "$pid" "the lock's window"
during=$(screen_gamma)
[ "$during" != "$before" ] || fail "the saver's gamma did not reach the screen: $during"

# The first key only brings up the password prompt.
xdotool key space
sleep 0.5
xdotool type --delay 20 lunar
xdotool key Return
start=$(date +%s)
while running "$lock"; do
    [ $(($(date +%s) - start)) -lt $((10 * slowdown)) ] || fail "the lock did not end after the password"
    sleep 0.05
done
wait_ended "$pid" "the unlock"
[ "$(screen_gamma)" = "$before" ] || fail "gamma after the run: $(screen_gamma), before: $before"
echo "PASS: xsecurelock"
