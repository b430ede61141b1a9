# Sourced by the end-to-end tests of screensaver hosts. A host runs as the unprivileged user
# nobody with a home of its own under $work (xscreensaver refuses to run hacks as root), on a
# private Xvfb screen; these helpers look at that screen, its gamma and the processes a host
# started. Sourcing makes $work (a folder nobody can enter) and kills every process in pids,
# with what it started, and removes $work at exit.

# A sanitizer build runs several times slower: its deadlines are stretched by this factor.
slowdown=${TARNEL_TEST_SLOWDOWN:-1}
# A sanitizer build's leak check at exit takes seconds in a process this large, past the
# deadline; the leak checks belong to the unit tests.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill_tree "$pid"; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; tail -n 30 "$work"/*.log >&2 2>/dev/null || true; exit 1; }

# The user's home with tarnel's settings: no music, and a brightness that changes the gamma,
# so a run shows whether the ramp came back.
make_home() {
    mkdir -p "$work/home/.config/tarnel"
    printf 'EnableMusic=0\nDefGamma=0\nGamma=80\n%s' "${1:-}" >"$work/home/.config/tarnel/settings.ini"
}

# The package in FOLDER (as the package test leaves it), extracted into $work/root.
extract_package() {  # FOLDER
    local debs=("$1"/tarnel_*.deb)
    [ -f "${debs[0]}" ] && [ "${#debs[@]}" -eq 1 ] || fail "not one package in $1: ${debs[*]}"
    dpkg-deb -x "${debs[0]}" "$work/root" || fail "cannot extract ${debs[0]}"
}

# Skipped (77) unless each program is there and the test runs as root (to change user and,
# with --mount, to mount in a namespace of its own).
need() {  # [--mount] PROGRAM...
    local mount=""
    [ "$1" = --mount ] && { mount=1; shift; }
    for program in "$@"; do command -v "$program" >/dev/null || exit 77; done
    [ "$(id -u)" -eq 0 ] || exit 77
    [ -z "$mount" ] || unshare -m --propagation private true 2>/dev/null || exit 77
}

user_command() {
    user=(runuser -u nobody -- env HOME="$work/home" DISPLAY="$DISPLAY" XDG_CONFIG_HOME="$work/home/.config"
          ASAN_OPTIONS="$ASAN_OPTIONS")
}
as_user() { user_command; "${user[@]}" "$@"; }
# As the user, with the extracted package laid over /usr in a mount namespace of its own, as
# if installed: hosts take hacks only from the system's folders.
as_installed_user() {
    user_command
    unshare -m --propagation private sh -c 'mount -t overlay tarnel -o "lowerdir=$0/usr:/usr" /usr && exec "$@"' \
        "$work/root" "${user[@]}" "$@"
}

start_screen() {  # WxHxD
    source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"
    start_xvfb "$work" "$1" || { echo "Xvfb did not start" >&2; exit 1; }
    pids+=("$xvfb_pid")
}

screen_gamma() {  # the ramp of the screen's CRTC as xrandr sums it up
    xrandr --verbose | sed -n 's/^[[:space:]]*\(Gamma\|Brightness\):[[:space:]]*/\1: /p' | tr '\n' ' '
}

not_black() {  # the screen has some colour in it
    import -window root "$work/shot.png"
    [ "$(convert "$work/shot.png" -format '%[fx:maxima.r+maxima.g+maxima.b > 0.1]' info:)" = 1 ]
}

# An ended process may stay a zombie until its parent reaps it: a zombie has ended.
running() { kill -0 "$1" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }

# The first process below PID (at any depth) whose command line matches PATTERN.
descendant() {  # PID PATTERN
    local child found
    for child in $(pgrep -P "$1"); do
        if grep -qa -- "$2" "/proc/$child/cmdline" 2>/dev/null && running "$child"; then
            echo "$child"
            return 0
        fi
        found=$(descendant "$child" "$2") && { echo "$found"; return 0; }
    done
    return 1
}

wait_descendant() {  # PID PATTERN WHAT: prints the process's id
    local found
    for _ in $(seq $((100 * slowdown))); do
        found=$(descendant "$1" "$2") && { echo "$found"; return 0; }
        sleep 0.1
    done
    fail "$3 did not start tarnel"
}

# A busy machine or a sanitizer build can take seconds before the first picture.
wait_drawn() {  # PID WHAT
    for _ in $(seq 30); do
        sleep 0.5
        running "$1" || fail "tarnel ended early in $2"
        not_black && return 0
    done
    fail "nothing drawn in $2"
}

# Waits until PID has ended, at most 5 s (stretched by the slowdown) after the host was told.
# The time includes the host's own: on a loaded machine xscreensaver's helper once took more
# than 1.5 s to kill a hack it had started a second before. How soon the saver itself ends on
# a stop signal or a destroyed window is bounded by the display tests.
wait_ended() {  # PID WHAT
    local start
    start=$(date +%s%N)
    while running "$1"; do
        [ $(($(date +%s%N) - start)) -lt $((5000000000 * slowdown)) ] || fail "tarnel still runs after $2"
        sleep 0.05
    done
    echo "tarnel ended $((($(date +%s%N) - start) / 1000000)) ms after $2"
}

# Every process the test started, with what they started in turn.
kill_tree() {  # PID
    local child
    for child in $(pgrep -P "$1"); do kill_tree "$child"; done
    kill "$1" 2>/dev/null || true
}
