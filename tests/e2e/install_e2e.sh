#!/usr/bin/env bash
# An install into a temporary folder, checked file by file; the hack description is valid
# XML and tarnel accepts every flag it names; the uninstall removes every file again.
# Usage: install_e2e.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
libexec=$(sed -n 's/^CMAKE_INSTALL_LIBEXECDIR:PATH=//p' "$build/CMakeCache.txt")
[[ "$libexec" = /* ]] || libexec="$prefix/$libexec"
root="$work/root"

DESTDIR="$root" cmake --install "$build" >"$work/install.log"
for file in "$libexec/xscreensaver/tarnel" "$prefix/bin/tarnel" "$prefix/share/tarnel/data.sdd" \
            "$prefix/share/xscreensaver/config/tarnel.xml" "$prefix/share/applications/tarnel.desktop" \
            "$prefix/share/icons/hicolor/scalable/apps/tarnel.svg"; do
    [ -e "$root$file" ] || fail "not installed: $file"
done
[ -x "$root$libexec/xscreensaver/tarnel" ] || fail "tarnel is not executable"
[ "$(readlink -f "$root$prefix/bin/tarnel")" = "$(readlink -f "$root$libexec/xscreensaver/tarnel")" ] ||
    fail "bin/tarnel does not lead to the hack"

xml="$root$prefix/share/xscreensaver/config/tarnel.xml"
xmllint --noout "$xml" || fail "tarnel.xml is not well formed"
grep -q '<screensaver name="tarnel" _label="Tarnel" gl="yes">' "$xml" || fail "wrong screensaver element"
grep -q '<command arg="--root"/>' "$xml" || fail "no --root command"
# Every flag the description can put on the command line, with a value inside its range.
mapfile -t flags < <(grep -o 'arg[a-z-]*="[^"]*"' "$xml" | sed 's/^[^"]*"//; s/"$//; s/%/50/')
[ "${#flags[@]}" -ge 8 ] || fail "too few flags in the description"
for flag in "${flags[@]}"; do
    # shellcheck disable=SC2086  # a flag with its value is two words
    "$root$libexec/xscreensaver/tarnel" $flag --help >/dev/null 2>"$work/flag.log" ||
        fail "tarnel refuses \"$flag\": $(cat "$work/flag.log")"
done
desktop-file-validate "$root$prefix/share/applications/tarnel.desktop" >"$work/desktop.log" 2>&1 ||
    fail "invalid desktop entry: $(cat "$work/desktop.log")"

DESTDIR="$root" cmake -DMANIFEST="$build/install_manifest.txt" \
    -P "$(dirname "$0")/../../desktop/uninstall.cmake" >"$work/uninstall.log"
left=$(find "$root" -not -type d)
[ -z "$left" ] || fail "left behind: $left"
[ ! -e "$root$prefix/share/tarnel" ] || fail "data folder left behind"
echo "PASS: install"
