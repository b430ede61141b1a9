#!/usr/bin/env bash
# End-to-end runs of tarnel: under a private Xvfb (a free display number picked by the
# server itself) the saver is started with /s and ended by xdotool, or run offscreen.
# Usage: saver_e2e.sh SCENARIO TARNEL
set -euo pipefail
scenario=$1
tarnel=$2
package=${3:-}
work=$(mktemp -d)
# Only a sanitizer build reads this. Leaks of our own code are checked by the unit tests;
# these whole-process runs end with small leaks inside system libraries (D-Bus, X modules)
# that are unloaded before the leak check could name them.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

xvfb_pid=""
saver_pid=""
cleanup() {
    [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A sanitizer build runs several times slower: its deadlines are stretched by this factor.
slowdown=${TARNEL_TEST_SLOWDOWN:-1}
fail() { echo "FAIL: $*" >&2; [ -f "$work/saver.log" ] && cat "$work/saver.log" >&2; exit 1; }

write_settings() {  # extra lines for the settings file
    mkdir -p "$work/config/tarnel"
    printf 'EnableMusic=0\n%s\n' "$1" > "$work/config/tarnel/settings.ini"
    export XDG_CONFIG_HOME="$work/config"
}

source "$(dirname "$0")/../../scripts/xvfb.sh"
private_display() { start_xvfb "$work" || fail "Xvfb did not start"; }

# Without a data package the loading screen's two pictures are missing, and each missing
# JPEG shows a modal "Error" box before the saver window appears: press its OK button.
answer_error_box() {
    local box
    [ -n "${DISPLAY:-}" ] || return 0  # offscreen runs show no boxes
    box=$(window_tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Error".*/\1/p' | head -n1)
    [ -z "$box" ] || xdotool key --window "$box" Return 2>/dev/null || true
}

# Of everything a verbose run said, one line names the data package, and that one plainly.
named_once() {  # folder the package was looked for in
    [ "$(grep -c 'data\.sdd' "$work/saver.log")" -eq 1 ] &&
        grep -q "^tarnel: cannot open data package $1/data.sdd: No such file or directory\$" "$work/saver.log"
}

screen_gamma() {  # the ramp of the screen's CRTC as xrandr sums it up
    xrandr --verbose | sed -n 's/^[[:space:]]*\(Gamma\|Brightness\):[[:space:]]*/\1: /p' | tr '\n' ' '
}

start_saver() {
    launch_saver
    wait_loaded
    sleep 1  # let it draw frames
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"
}

launch_saver() {  # returns once the saver window shows, while the package loads
    SDL_AUDIODRIVER=dummy "$tarnel" /s --verbose >"$work/saver.log" 2>&1 &
    saver_pid=$!
    xdotool search --sync --onlyvisible --name '^Tarnel$' >/dev/null 2>&1 &
    local search=$!
    for _ in $(seq 100); do
        kill -0 "$search" 2>/dev/null || break
        kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended before its window showed"
        answer_error_box
        sleep 0.1
    done
    kill "$search" 2>/dev/null && fail "no saver window"
    return 0
}

wait_loaded() {
    # Loading the package can take seconds on a busy machine; input counts only from the loop on.
    for _ in $(seq 300); do
        grep -q '^tarnel: loaded, the flight starts$' "$work/saver.log" && break
        kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended while loading"
        answer_error_box
        sleep 0.1
    done
    grep -q '^tarnel: loaded, the flight starts$' "$work/saver.log" || fail "the saver did not finish loading"
}

reap_saver() {  # once the saver has ended: its exit status into $status
    status=0
    wait "$saver_pid" || status=$?
    saver_pid=""
}

wait_saver() {  # expects the saver to end within a few seconds with status 0 after drawing
    for _ in $(seq 50); do
        kill -0 "$saver_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$saver_pid" 2>/dev/null && fail "the saver is still running"
    reap_saver
    [ "$status" -eq 0 ] || fail "exit status $status"
    frames=$(sed -n 's/^tarnel: drew \([0-9]*\) frames.*$/\1/p' "$work/saver.log")
    [ -n "$frames" ] && [ "$frames" -gt 0 ] || fail "no frames drawn"
    echo "saver ended with status 0 after $frames frames"
}

case "$scenario" in
key_ends_saver)
    write_settings ""
    private_display
    start_saver
    xdotool key space
    wait_saver
    ;;
mouse_exit_on)
    write_settings "MouseExit=1"
    private_display
    start_saver
    xdotool mousemove_relative 30 0
    wait_saver
    ;;
mouse_exit_off)
    write_settings "MouseExit=0"
    private_display
    start_saver
    xdotool mousemove_relative 30 0
    sleep 1
    xdotool mousemove_relative -- -30 0
    sleep 1
    kill -0 "$saver_pid" 2>/dev/null || fail "a mouse move ended the saver with MouseExit off"
    xdotool key Escape
    wait_saver
    ;;
sigterm_ends_saver)
    write_settings "DefGamma=0
Gamma=90"
    private_display
    start_saver
    kill -TERM "$saver_pid"
    wait_saver
    ;;
gamma_restored)
    # The brightness reaches the screen while the saver runs, and the ramp from before (not the
    # identity) comes back after a key and after SIGTERM; with DefGamma on it is never touched.
    private_display
    xrandr --output screen --gamma 0.8:0.9:1.25
    before=$(screen_gamma)
    echo "before: $before"
    for end in key TERM; do
        write_settings "DefGamma=0
Gamma=90"
        start_saver
        during=$(screen_gamma)
        echo "during: $during"
        [ "$during" != "$before" ] && ! grep -q 'Gamma: 1.0:1.0:1.0' <<<"$during" ||
            fail "Gamma=90 did not reach the screen"
        if [ "$end" = key ]; then xdotool key space; else kill -TERM "$saver_pid"; fi
        wait_saver
        [ "$(screen_gamma)" = "$before" ] || fail "after the $end: $(screen_gamma)"
    done
    write_settings "DefGamma=1
Gamma=90"
    start_saver
    [ "$(screen_gamma)" = "$before" ] || fail "DefGamma=1 changed the ramp: $(screen_gamma)"
    xdotool key space
    wait_saver
    [ "$(screen_gamma)" = "$before" ] || fail "DefGamma=1 left $(screen_gamma)"
    ;;
stop_signals_any_moment)
    # Each stop signal while the package loads (the window shows, the loop has not begun) and
    # once the loop runs, sent twice so that the second arrives during the end steps: the
    # saver ends within a second with status 0, through its end steps (which give back mode,
    # gamma and cursor).
    write_settings "DefGamma=0
Gamma=90"
    private_display
    for signal in TERM INT HUP; do
        for moment in loading loop; do
            launch_saver
            if [ "$moment" = loop ]; then wait_loaded; sleep 1; fi
            kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended before SIG$signal"
            kill -"$signal" "$saver_pid"
            sleep 0.05
            kill -"$signal" "$saver_pid" 2>/dev/null || true
            for _ in $(seq $((10 * slowdown))); do
                kill -0 "$saver_pid" 2>/dev/null || break
                sleep 0.1
            done
            kill -0 "$saver_pid" 2>/dev/null && fail "SIG$signal in the $moment: still running ${slowdown} s later"
            reap_saver
            [ "$status" -eq 0 ] || fail "SIG$signal in the $moment: exit status $status"
            echo "SIG$signal in the $moment: ended with status 0"
        done
    done
    ;;
bad_package_runs)
    # No package, an empty, a cut-off and a random one, with a damaged settings file: the
    # saver still runs and draws (cleared frames), and says why under --verbose.
    mkdir -p "$work/config/tarnel"
    head -c 3000 /dev/urandom >"$work/config/tarnel/settings.ini"
    export XDG_CONFIG_HOME="$work/config"
    unset DISPLAY
    : >"$work/empty.sdd"
    head -c 20000 "$package" >"$work/cut.sdd"
    head -c 20000 /dev/urandom >"$work/random.sdd"
    for name in none empty cut random; do
        status=0
        (cd "$work" && "$tarnel" --headless --frames 3 --size 64x48 --data "$work/$name.sdd" --verbose) \
            >"$work/saver.log" 2>&1 || status=$?
        [ "$status" -eq 0 ] || fail "$name package: exit status $status"
        grep -q '^tarnel: drew 3 frames' "$work/saver.log" || fail "$name package: frames not drawn"
        grep -Eq '^tarnel: .*(cannot read|cannot open data package)' "$work/saver.log" || fail "$name package: no reason given"
        echo "$name package: ran and said why"
    done
    ;;
stop_signal_closes_message_box)
    # Without a package the loading screen's first picture is missing and its "Error" box
    # opens. A stop signal closes it (all three take the same way, which stop_signals_any_moment
    # runs): the saver ends within a second with status 0, names the package once, and leaves
    # neither the box's processes nor the box. Killed outright, the saver takes the box along.
    mkdir -p "$work/nodata"
    write_settings "Path=$work/nodata"
    private_display
    box_processes() {  # the box's process and what it started, but for the dead ones
        ps -eo pid=,pgid=,stat=,args= | awk -v box="$box" '($1 == box || $2 == box) && $3 !~ /^Z/'
    }
    for signal in TERM KILL; do
        SDL_AUDIODRIVER=dummy "$tarnel" /s --verbose >"$work/saver.log" 2>&1 &
        saver_pid=$!
        box=""
        for _ in $(seq 100); do
            box=$(ps -o pid= --ppid "$saver_pid" | tr -d ' ' | head -n1) || true  # none yet
            [ -n "$box" ] && window_tree | grep -q '"Error"' && break
            kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended before its box showed"
            sleep 0.1
        done
        window_tree | grep -q '"Error"' || fail "no box"
        [ -n "$box" ] || fail "the box is not a child of the saver"
        start=${EPOCHREALTIME/[.,]/}
        kill -"$signal" "$saver_pid"
        while kill -0 "$saver_pid" 2>/dev/null; do
            elapsed=$(((${EPOCHREALTIME/[.,]/} - start) / 1000))
            if [ "$elapsed" -gt $((3000 * slowdown)) ]; then
                kill -KILL "$saver_pid" "$box" 2>/dev/null || true
                fail "SIG$signal: the saver still runs $elapsed ms later"
            fi
            sleep 0.01
        done
        elapsed=$(((${EPOCHREALTIME/[.,]/} - start) / 1000))
        reap_saver
        echo "SIG$signal with the box open: ended with status $status after $elapsed ms"
        if [ "$signal" = KILL ]; then
            for _ in $(seq $((10 * slowdown))); do
                [ -z "$(box_processes)" ] && break
                sleep 0.1
            done
        else
            [ "$status" -eq 0 ] || fail "SIG$signal: exit status $status"
            [ "$elapsed" -lt $((1000 * slowdown)) ] || fail "SIG$signal: the saver took $elapsed ms to end"
            named_once "$work/nodata" || fail "SIG$signal: the package was not named once"
        fi
        [ -z "$(box_processes)" ] || fail "SIG$signal: the box's processes are left: $(box_processes)"
        ! window_tree | grep -q '"Error"' || fail "SIG$signal: the box is still on the screen"
    done
    ;;
host_window_shows_no_box)
    # Inside the root window, inside a window named by its number and offscreen, a missing
    # package opens no box that would block the run: it ends by itself after its frames, and
    # standard error names the package once.
    mkdir -p "$work/nodata"
    write_settings "Path=$work/nodata"
    private_display
    root=$(xwininfo -root | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
    for run in "--root --frames 10" "--window-id $root --frames 10" "--headless --frames 3"; do
        run="$run --verbose"
        # shellcheck disable=SC2086  # the run's options are several words
        SDL_AUDIODRIVER=dummy "$tarnel" $run >"$work/saver.log" 2>&1 &
        saver_pid=$!
        for _ in $(seq $((100 * slowdown))); do
            kill -0 "$saver_pid" 2>/dev/null || break
            ! window_tree | grep -q '"Error"' || fail "$run: a box showed"
            sleep 0.1
        done
        kill -0 "$saver_pid" 2>/dev/null && fail "$run: still running"
        reap_saver
        [ "$status" -eq 0 ] || fail "$run: exit status $status"
        named_once "$work/nodata" || fail "$run: the package was not named once"
        echo "$run: no box, the package named once"
    done
    ;;
window_id_missing)
    # A window number that names no window on the server, in hexadecimal as xwininfo prints
    # it: one line says so and the status is a failure, with no Xlib error report.
    write_settings ""
    private_display
    status=0
    SDL_AUDIODRIVER=dummy "$tarnel" --window-id 0x2a00007 --frames 1 >"$work/saver.log" 2>&1 || status=$?
    [ "$status" -ne 0 ] || fail "exit status 0 for a window that does not exist"
    [ "$(wc -l <"$work/saver.log")" -eq 1 ] || fail "not one line"
    grep -q '^tarnel: there is no window 0x2a00007' "$work/saver.log" || fail "the window is not named"
    echo "status $status: $(cat "$work/saver.log")"
    ;;
stop_keeps_the_last_whole_frame)
    # A stop signal drops the frame it comes in: the PNG holds the last frame drawn whole,
    # never the cleared or half-drawn picture of the dropped one.
    write_settings ""
    unset DISPLAY
    for signal in TERM INT; do
        rm -f "$work/out.png"
        (cd "$work" && exec "$tarnel" --headless --size 160x120 --data "$package" --render out.png --verbose) \
            >"$work/saver.log" 2>&1 &
        saver_pid=$!
        wait_loaded
        sleep 0.5
        kill -"$signal" "$saver_pid"
        wait_saver
        [ -f "$work/out.png" ] || fail "SIG$signal: no PNG written"
        brightest=$(convert "$work/out.png" -format '%[fx:maxima]' info:)
        echo "SIG$signal: brightest value of the PNG $brightest"
        awk -v b="$brightest" 'BEGIN { exit !(b > 0.1) }' || fail "SIG$signal: the PNG is black"
    done
    ;;
stop_in_a_heavy_frame)
    # Forty streams with a hostile particle count (each cut to the cap) make frames of half a
    # second or more on a software renderer; a stop in the middle of one still ends the run,
    # through its end steps, within a second.
    write_settings ""
    unset DISPLAY
    cp -r "$(dirname "$package")/data" "$work/data"
    sed -i '/^ENDWORLD/d' "$work/data/orbit.txt"
    for _ in $(seq 40); do
        printf 'ps\nbegin\nline\ndens 2147483647\npoint1 V(0 0 -1)\ntexture textures\\puff.jpg\nend\n'
    done >>"$work/data/orbit.txt"
    echo ENDWORLD >>"$work/data/orbit.txt"
    "$(dirname "$tarnel")/tools/tarnel-pack" build "$work/data" -o "$work/heavy.sdd" >/dev/null
    (cd "$work" && exec "$tarnel" --headless --size 640x480 --data heavy.sdd --verbose) >"$work/saver.log" 2>&1 &
    saver_pid=$!
    wait_loaded
    for _ in $(seq 300); do
        grep -q '^tarnel: a frame took' "$work/saver.log" && break
        sleep 0.1
    done
    took=$(sed -n 's/^tarnel: a frame took \([0-9.]*\) s.*/\1/p' "$work/saver.log" | head -n1)
    echo "a heavy frame took ${took:-?} s"
    [ -n "$took" ] || fail "no frame took longer than the stall bound: the scene is not heavy"
    sleep 0.2
    kill -TERM "$saver_pid"
    sent=$EPOCHREALTIME
    (sleep $((10 * slowdown)); kill -KILL "$saver_pid" 2>/dev/null) &
    watchdog=$!
    status=0
    wait "$saver_pid" || status=$?
    ended=$EPOCHREALTIME
    saver_pid=""
    kill "$watchdog" 2>/dev/null || true
    late=$(awk -v a="$sent" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
    echo "SIGTERM in a heavy frame: ended with status $status $late s later"
    [ "$status" -eq 0 ] || fail "SIGTERM in a heavy frame: exit status $status"
    awk -v t="$late" -v s="$slowdown" 'BEGIN { exit !(t <= s) }' || fail "SIGTERM in a heavy frame: $late s to end"
    ;;
stall_is_bounded)
    # Stopped for a second and a half between two frames (as a paused machine would be), the
    # saver takes the stall as the bound of a quarter second and draws on from there.
    write_settings ""
    unset DISPLAY
    (cd "$work" && exec "$tarnel" --headless --size 64x48 --verbose) >"$work/saver.log" 2>&1 &
    saver_pid=$!
    wait_loaded
    sleep 0.5
    kill -STOP "$saver_pid"
    sleep 1.5
    kill -CONT "$saver_pid"
    sleep 1
    kill -TERM "$saver_pid"
    wait_saver
    stall=$(sed -n 's/^tarnel: a frame took \([0-9.]*\) s; the scene advanced \([0-9.]*\) s$/\1 \2/p' "$work/saver.log" |
        sort -rn | head -n1)
    echo "longest frame, and the step it gave: ${stall:-none}"
    [ -n "$stall" ] || fail "no frame was taken as the stall bound"
    read -r took advanced <<<"$stall"
    awk -v t="$took" 'BEGIN { exit !(t >= 1.4) }' || fail "the longest frame took $took s, not the stall's 1.5 s"
    [ "$advanced" = "0.250" ] || fail "the stalled frame advanced the scene $advanced s, not the bound of 0.250 s"
    ;;
headless_render)
    write_settings ""
    unset DISPLAY
    (cd "$work" && "$tarnel" --headless --frames 3 --render out.png) || fail "headless run failed"
    [ "$(head -c 8 "$work/out.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "out.png is not a PNG"
    echo "wrote a PNG of $(stat -c %s "$work/out.png") bytes"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
