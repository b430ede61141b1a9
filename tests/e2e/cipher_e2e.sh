#!/usr/bin/env bash
# A package that tarnel-pack builds with a password: an independent reader (Debian's lsar)
# tests every member under it, and the saver, given the password only in its settings file,
# loads the package without a finding and draws a picture; under a wrong password it says why.
# Usage: cipher_e2e.sh TARNEL_PACK TARNEL DATA_FOLDER
set -euo pipefail
pack=$1
tarnel=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
fail() { echo "FAIL: $*" >&2; [ -f "$work/saver.log" ] && cat "$work/saver.log" >&2; exit 1; }
command -v lsar >/dev/null || fail "lsar (Debian package unar) is not installed: run scripts/install-deps.sh"

password='a pass phrase'
mkdir -p "$work/package"
"$pack" build "$data" -o "$work/package/data.sdd" --password "$password" >/dev/null || fail "tarnel-pack build failed"
files=$(find "$data" -type f | wc -l)
lsar -test -p "$password" "$work/package/data.sdd" >"$work/lsar.log" 2>&1 || { cat "$work/lsar.log" >&2; fail "lsar -test failed"; }
grep -q "^$files passed, 0 failed" "$work/lsar.log" || { cat "$work/lsar.log" >&2; fail "lsar did not pass all $files members"; }
! lsar -test -p 'not the password' "$work/package/data.sdd" >/dev/null 2>&1 || fail "lsar read the members under a wrong password"
echo "lsar: $files members passed under the password"

run_saver() {  # password-in-settings-file
    mkdir -p "$work/config/tarnel"
    printf 'EnableMusic=0\nPath=%s\nPassword=%s\n' "$work/package" "$1" >"$work/config/tarnel/settings.ini"
    rm -f "$work/frame.png"
    env -u TARNEL_PASSWORD -u DISPLAY XDG_CONFIG_HOME="$work/config" \
        "$tarnel" --headless --size 320x240 --frames 5 --render "$work/frame.png" --verbose \
        >"$work/saver.log" 2>&1 || fail "the saver ended with status $?"
    [ -f "$work/frame.png" ] || fail "no frame written"
}
# Findings read "tarnel: MEMBER: ..." or "tarnel: MEMBER:LINE: ..."; status lines have no such colon.
findings() { grep -E '^tarnel: [^ ]+:' "$work/saver.log" || true; }
brightest() { convert "$work/frame.png" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:; }

run_saver "$password"
[ -z "$(findings)" ] || fail "the loaders reported findings: $(findings)"
awk -v b="$(brightest)" 'BEGIN { exit !(b > 0.3) }' || fail "the frame is black (brightest $(brightest))"
echo "password from the settings file: no findings, brightest $(brightest)"

run_saver "not the password"
grep -q 'wrong password or damaged member' "$work/saver.log" || fail "a wrong password went unreported"
echo "wrong password: $(findings | wc -l) findings, brightest $(brightest)"
