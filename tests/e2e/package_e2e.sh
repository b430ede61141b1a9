#!/usr/bin/env bash
# The Debian package, made by CPack from the build as `cmake --build BUILD --target package`
# makes it: its name, its files with their owners and modes, its control fields (the
# dependencies name the package of every library the binaries link), then, extracted with
# dpkg -x into a temporary root, the saver draws the default scene headless, finding the data
# installed with it, and tarnel-pack reads that data. The package stays in OUT_DIR, where the
# tests of the screensaver hosts take it.
# Usage: package_e2e.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -n 20 "$work/cpack.log")"
rm -rf "$out/_CPack_Packages"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb="$out/tarnel_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

# Every file and link, with its mode and owner; folders are 755 root/root.
dpkg-deb -c "$deb" >"$work/contents"
awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root") {bad = 1; print} END {exit bad}' "$work/contents" ||
    fail "folders not 755 root/root"
awk '$1 !~ /^d/ {print $1, $2, $6, $7, $8}' "$work/contents" | sort -k3 >"$work/files"
cat >"$work/expected" <<'EOT'
lrwxrwxrwx root/root ./usr/bin/tarnel -> ../libexec/xscreensaver/tarnel
-rwxr-xr-x root/root ./usr/bin/tarnel-pack
-rwxr-xr-x root/root ./usr/libexec/xscreensaver/tarnel
-rw-r--r-- root/root ./usr/share/applications/screensavers/tarnel.desktop
-rw-r--r-- root/root ./usr/share/applications/tarnel.desktop
-rw-r--r-- root/root ./usr/share/doc/tarnel/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/tarnel/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/tarnel.svg
-rw-r--r-- root/root ./usr/share/man/man1/tarnel-pack.1.gz
-rw-r--r-- root/root ./usr/share/man/man6/tarnel.6.gz
-rw-r--r-- root/root ./usr/share/tarnel/data.sdd
-rw-r--r-- root/root ./usr/share/tarnel/dialog.png
-rw-r--r-- root/root ./usr/share/tarnel/preview.png
-rw-r--r-- root/root ./usr/share/xscreensaver/config/tarnel.xml
EOT
diff -u "$work/expected" <(sed 's/ *$//' "$work/files") || fail "the package's files differ (- expected, + found)"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarnel ] && [ "$(field Version)" = "$version" ] && [ "$(field Architecture)" = "$arch" ] ||
    fail "control: $(dpkg-deb -f "$deb")"
for name in Maintainer Section Priority Description Installed-Size; do
    [ -n "$(field "$name")" ] || fail "no $name field"
done
# The dependencies, one package name a line (alternatives included, versions dropped).
field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | sort -u >"$work/depends"
grep -qx libgl1 "$work/depends" || fail "libgl1, which SDL opens for GLX, is not a dependency"
dpkg-deb -x "$deb" "$work/root"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for binary in usr/libexec/xscreensaver/tarnel usr/bin/tarnel-pack; do
    readelf -S "$work/root/$binary" | grep -q '\.debug_info' && fail "$binary is not stripped"
    objdump -p "$work/root/$binary" | awk '$1 == "NEEDED" {print $2}'
done | sort -u >"$work/libraries"
# The installed packages that hold each library: one of them must be a dependency.
mapfile -t patterns < <(sed "s|^|*/$multiarch/|" "$work/libraries")
dpkg -S "${patterns[@]}" 2>/dev/null | sed 's/:[^ ]*: / /' >"$work/owners" || true
while read -r library; do
    owners=$(awk -v tail="/$library" 'substr($2, length($2) - length(tail) + 1) == tail {print $1}' "$work/owners" | sort -u)
    [ -n "$owners" ] || fail "no installed package holds $library"
    grep -qxF "$owners" "$work/depends" ||
        fail "the binaries link $library ($owners), which Depends does not name: $(field Depends)"
done <"$work/libraries"
zcat "$work/root/usr/share/doc/tarnel/changelog.gz" | head -n1 | grep -q "^tarnel ($version) " ||
    fail "the changelog's latest entry is not version $version"
grep -qx 'Exec=/usr/libexec/xscreensaver/tarnel --root' "$work/root/usr/share/applications/screensavers/tarnel.desktop" ||
    fail "the screensaver entry does not run the installed hack"

# Run from the extracted root (bin/tarnel leads to the hack folder), the saver finds the data
# installed with it and draws the default scene; tarnel-pack reads that data.
export XDG_CONFIG_HOME="$work/config"  # no settings file: the data folder is the default one
(cd "$work" && env -u DISPLAY "$work/root/usr/bin/tarnel" --headless --frames 2 --size 96x72 --verbose \
    --render "$work/frame.png") >"$work/run.log" 2>&1 || fail "exit status $? ($(cat "$work/run.log"))"
grep -q 'cannot open data package' "$work/run.log" && fail "no data: $(cat "$work/run.log")"
colours=$(identify -format %k "$work/frame.png")
[ "$colours" -gt 50 ] || fail "no scene drawn ($colours colours): $(cat "$work/run.log")"
"$work/root/usr/bin/tarnel-pack" list "$work/root/usr/share/tarnel/data.sdd" >"$work/list.log" 2>&1 ||
    fail "tarnel-pack list of the packaged data: $(cat "$work/list.log")"
echo "PASS: package $(basename "$deb")"
