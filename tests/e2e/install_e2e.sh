#!/usr/bin/env bash
# An install into a temporary folder, checked file by file; the hack description is valid
# XML and tarnel accepts every flag it names, the desktop entries are valid and the
# screensaver entry runs the installed hack; the uninstall removes every file again. An
# install under another prefix finds its own data from bin/ and from the hack folder.
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
for file in "$libexec/xscreensaver/tarnel" "$prefix/bin/tarnel" "$prefix/bin/tarnel-pack" "$prefix/share/tarnel/data.sdd" \
            "$prefix/share/xscreensaver/config/tarnel.xml" "$prefix/share/applications/tarnel.desktop" \
            "$prefix/share/applications/screensavers/tarnel.desktop" "$prefix/share/man/man6/tarnel.6.gz" \
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
for entry in tarnel.desktop screensavers/tarnel.desktop; do
    desktop-file-validate "$root$prefix/share/applications/$entry" >"$work/desktop.log" 2>&1 ||
        fail "invalid desktop entry $entry: $(cat "$work/desktop.log")"
done
# The screensaver entry runs the hack of the prefix installed to.
grep -qx "Exec=$libexec/xscreensaver/tarnel --root" "$root$prefix/share/applications/screensavers/tarnel.desktop" ||
    fail "the screensaver entry names another program: $(grep Exec "$root$prefix/share/applications/screensavers/tarnel.desktop")"

DESTDIR="$root" cmake -DMANIFEST="$build/install_manifest.txt" \
    -P "$(dirname "$0")/../../desktop/uninstall.cmake" >"$work/uninstall.log"
left=$(find "$root" -not -type d)
[ -z "$left" ] || fail "left behind: $left"
for folder in share/tarnel share/doc/tarnel; do
    [ ! -e "$root$prefix/$folder" ] || fail "$folder left behind"
done

# Installed under another prefix (after the uninstall, which reads the manifest that this
# install rewrites), the program finds the data installed with it, whether started from the
# daemon's hack folder or from bin/ (here a copy, as a package may put it), and draws the
# default scene; without that data it names the folder it looked in, once.
moved="$work/moved"
cmake --install "$build" --prefix "$moved" >"$work/moved.log"
grep -qx "Exec=$moved/libexec/xscreensaver/tarnel --root" "$moved/share/applications/screensavers/tarnel.desktop" ||
    fail "the screensaver entry of the moved install names another program"
cp --remove-destination "$moved/libexec/xscreensaver/tarnel" "$moved/bin/tarnel"
export XDG_CONFIG_HOME="$work/config"  # no settings file: the data folder is the default one
for program in libexec/xscreensaver/tarnel bin/tarnel; do
    (cd "$work" && env -u DISPLAY "$moved/$program" --headless --frames 2 --size 96x72 --render "$work/frame.png") \
        >"$work/run.log" 2>&1 || fail "$program: exit status $? ($(cat "$work/run.log"))"
    colours=$(identify -format %k "$work/frame.png")
    [ "$colours" -gt 50 ] || fail "$program drew no scene ($colours colours): $(cat "$work/run.log")"
done
rm "$moved/share/tarnel/data.sdd"
for program in libexec/xscreensaver/tarnel bin/tarnel; do
    (cd "$work" && env -u DISPLAY "$moved/$program" --headless --frames 1 --size 16x16) >"$work/run.log" 2>&1 ||
        fail "$program without data: exit status $?"
    [ "$(grep -c "^tarnel: cannot open data package $moved/share/tarnel/data.sdd" "$work/run.log")" -eq 1 ] ||
        fail "$program without data did not name $moved/share/tarnel once: $(cat "$work/run.log")"
done

echo "PASS: install"
