#!/usr/bin/env bash
# tarnel-pack check on the default package, on copies of it damaged one way each, and on
# files that are no package at all: the findings and the exit status.
# Usage: check_e2e.sh TARNEL_PACK DATA_FOLDER DATA_PACKAGE
set -euo pipefail
pack=$1
data=$2
package=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expect_status() {  # status archive
    local status=0
    "$pack" check "$2" >"$work/out" 2>&1 || status=$?
    [ "$status" = "$1" ] || { cat "$work/out" >&2; fail "check $2 ended with $status, not $1"; }
}

# The default package is clean.
expect_status 0 "$package"
[ ! -s "$work/out" ] || fail "the default package has findings: $(cat "$work/out")"

# Each damage: a shell edit of a copy of the data folder, and a line the findings must hold.
damaged() {  # name edit expected-finding
    rm -rf "$work/data"
    cp -r "$data" "$work/data"
    (cd "$work/data" && eval "$2")
    "$pack" build "$work/data" -o "$work/$1.sdd" >/dev/null
    expect_status 1 "$work/$1.sdd"
    grep -qF "$3" "$work/out" || { cat "$work/out" >&2; fail "$1: no finding \"$3\""; }
}
damaged missing_script "rm orbit.txt" 'worlds.txt:9: cannot read "orbit.txt": no member "orbit.txt"'
damaged no_world "sed -i 's/^world world/world home/' worlds.txt" \
    'worlds.txt: no world named "world": the saver would draw cleared frames'
damaged unlisted_texture "sed -i 's/^planet.jpg/planet2.jpg/' texture.txt" \
    'planet.txt:12: texture "textures\planet.jpg" is not in "texture.txt"'
moon_line=$(grep -n '^moon.jpg' "$data/texture.txt" | cut -d: -f1)
damaged broken_image "head -c 3000 textures/moon.jpg > cut && mv cut textures/moon.jpg" \
    "texture.txt:$moon_line: image"' "textures\moon.jpg" is damaged: parts of it are made up'
damaged short_mesh "head -c 100 meshes/station.dat > cut && mv cut meshes/station.dat" \
    'orbit.txt:5: mesh "meshes\station.dat": header says 4400 vertices, 2072 triangles and 4400 texture coordinates (212332 bytes) but the member has 100 bytes; it draws nothing'

# Not a package: missing, empty, random bytes.
expect_status 2 "$work/none.sdd"
: >"$work/empty.sdd"
expect_status 2 "$work/empty.sdd"
head -c 4096 /dev/urandom >"$work/random.sdd"
expect_status 2 "$work/random.sdd"
echo "check: all cases passed"
