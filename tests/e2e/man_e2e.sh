#!/usr/bin/env bash
# The manual pages format without a warning under groff's and man's checks, and they keep up
# with the programs: every option `tarnel --help` lists is in tarnel(6), every command of
# `tarnel-pack --help` in tarnel-pack(1).
# Usage: man_e2e.sh MAN_DIR TARNEL TARNEL_PACK
set -euo pipefail
pages=$1
tarnel=$2
pack=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for page in "$pages/tarnel.6" "$pages/tarnel-pack.1"; do
    groff -ww -man -z "$page" 2>"$work/groff.log" || fail "groff refuses $page: $(cat "$work/groff.log")"
    [ ! -s "$work/groff.log" ] || fail "groff on $page: $(cat "$work/groff.log")"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >/dev/null 2>"$work/man.log" ||
        fail "man refuses $page: $(cat "$work/man.log")"
    [ ! -s "$work/man.log" ] || fail "man on $page: $(cat "$work/man.log")"
done

# The page as groff writes it in text, hyphens and all, so an option is found as it is typed.
text() { groff -man -Tutf8 -P-cbou "$1" 2>/dev/null | sed 's/‐/-/g; s/−/-/g'; }
text "$pages/tarnel.6" >"$work/tarnel.txt"
"$tarnel" --help | sed "s/--\[no-\]/--/g" | grep -o -- '--[a-z0-9][a-z0-9-]*' | sort -u >"$work/options"
[ "$(wc -l <"$work/options")" -ge 20 ] || fail "too few options in tarnel --help"
while read -r option; do
    grep -q -- "$option" "$work/tarnel.txt" || fail "tarnel(6) does not describe $option"
done <"$work/options"
for switch in /s /t /c /p; do
    grep -q -- "$switch" "$work/tarnel.txt" || fail "tarnel(6) does not describe $switch"
done

text "$pages/tarnel-pack.1" >"$work/pack.txt"
"$pack" --help 2>&1 | awk '$1 == "tarnel-pack" && NF > 1 {print $2}' >"$work/commands"
[ "$(wc -l <"$work/commands")" -ge 6 ] || fail "too few commands in tarnel-pack --help"
while read -r command; do
    grep -q "^       $command " "$work/pack.txt" || grep -qx "       $command" "$work/pack.txt" ||
        fail "tarnel-pack(1) does not describe the command $command"
done <"$work/commands"
echo "PASS: manual pages"
