#!/usr/bin/env bash
# The configuration dialog and the preview under a private Xvfb, driven by real X clients:
# xdotool works the dialog, and a Tk window plays the host that owns the preview.
# Usage: desktop_e2e.sh SCENARIO TARNEL
set -euo pipefail
scenario=$1
tarnel=$2
work=$(mktemp -d)
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export XDG_CONFIG_HOME="$work/config" NO_AT_BRIDGE=1
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work"/*.log >&2 2>/dev/null || true; exit 1; }

source "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb "$work" || fail "Xvfb did not start"
pids+=("$xvfb_pid")

wait_window() {  # title; prints the window id
    for _ in $(seq 100); do
        xdotool search --name "^$1\$" 2>/dev/null | head -n1 && return 0
        sleep 0.1
    done
    fail "no window \"$1\""
}
pixel() {  # shot x y: the colour as #RRGGBB
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1
}
wait_exit() {  # pid seconds
    for _ in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    fail "tarnel did not end"
}
settings_file="$work/config/tarnel/settings.ini"
write_settings() {
    mkdir -p "$(dirname "$settings_file")"
    printf 'UseDesktop=0\nWidth=800\nHeight=600\nDepth=32\nShowFPS=0\nDefGamma=0\nGamma=50\nSpeed=50\n' >"$settings_file"
}

show_preview() {  # program picture: the host's window must show the picture at its top-left
    echo 'wm geometry . 400x300+0+0; frame .f -width 400 -height 300 -background white; pack .f
update; puts [winfo id .f]; flush stdout
while {[gets stdin line] >= 0} { if {$line eq "close"} { destroy .f; update } }' >"$work/host.tcl"
    coproc HOST { wish "$work/host.tcl"; }
    pids+=($HOST_PID)
    read -r parent <&"${HOST[0]}"
    "$1" /p "$(printf '%d' "$parent")" >"$work/tarnel.log" 2>&1 &
    local pid=$!; pids+=($pid)
    sleep 1.5
    eval "$(xwininfo -id "$parent" | awk '/Absolute upper-left X/{print "PX="$4} /Absolute upper-left Y/{print "PY="$4}')"
    import -window root "$work/shot.png"
    [ "$(pixel "$work/shot.png" $((PX + 10)) $((PY + 10)))" = "$(pixel "$2" 10 10)" ] || fail "no picture at the top-left"
    [ "$(pixel "$work/shot.png" $((PX + 154)) $((PY + 114)))" = "$(pixel "$2" 154 114)" ] || fail "picture cut short"
    for spot in "$((PX + 156)) $((PY + 10))" "$((PX + 10)) $((PY + 116))" "$((PX + 390)) $((PY + 290))"; do
        [ "$(pixel "$work/shot.png" $spot)" = "#000000" ] || fail "not black beyond the picture at $spot"
    done
    echo close >&"${HOST[1]}"
    wait_exit "$pid" 3
}

open_dialog() {  # sets pid, and X and Y of the dialog window
    "$tarnel" /c >"$work/tarnel.log" 2>&1 &
    pid=$!; pids+=($pid)
    local win
    win=$(wait_window "Tarnel Configuration")
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
}

case "$scenario" in
dialog_ok)
    write_settings
    open_dialog
    # Dialog units are two pixels each: Show FPS at (111,17), the speed bar's channel near
    # its right end at (180,97), OK at (244,225).
    xdotool mousemove $((X + 2 * 115)) $((Y + 2 * 21)) click 1
    xdotool mousemove $((X + 2 * 180)) $((Y + 2 * 97)) click 1
    # Keys move a bar but change no setting.
    xdotool mousemove $((X + 2 * 136)) $((Y + 2 * 136)) click 1 key End
    sleep 0.3
    xdotool mousemove $((X + 2 * 276)) $((Y + 2 * 232)) click 1
    wait_exit "$pid" 5
    grep -qx 'ShowFPS=1' "$settings_file" || fail "ShowFPS not saved"
    speed=$(sed -n 's/^Speed=//p' "$settings_file")
    [ "$speed" -gt 50 ] || fail "speed not raised by a click in the channel ($speed)"
    gamma=$(sed -n 's/^Gamma=//p' "$settings_file")
    [ "$gamma" -lt 60 ] || fail "gamma changed by End ($gamma)"
    ;;
dialog_ok_unwritable)
    # The settings folder cannot be made (a file stands in its place): OK closes the dialog
    # and says that it could not save.
    mkdir -p "$work/config"
    : >"$work/config/tarnel"
    open_dialog
    xdotool mousemove $((X + 2 * 276)) $((Y + 2 * 232)) click 1
    wait_exit "$pid" 5
    grep -q '^tarnel: could not save the settings' "$work/tarnel.log" || fail "the failed save went unreported"
    ;;
dialog_cancel)
    write_settings
    before=$(cat "$settings_file")
    open_dialog
    xdotool mousemove $((X + 2 * 115)) $((Y + 2 * 21)) click 1
    # Without a window manager the key goes to the window under the pointer.
    xdotool key Escape
    wait_exit "$pid" 5
    [ "$(cat "$settings_file")" = "$before" ] || fail "Cancel wrote the settings"
    ;;
preview)
    # A copy of the program beside a data folder of its own, as an install lays it out, with a
    # preview picture whose colour the screen must show.
    mkdir -p "$work/bin"
    cp "$tarnel" "$work/bin/tarnel"
    : >"$work/bin/data.sdd"
    convert -size 155x115 xc:'#FF8000' "$work/bin/preview.png"
    show_preview "$work/bin/tarnel" "$work/bin/preview.png"
    ;;
preview_installed_layout)
    # The layout of a distribution's package, under a folder of its own and without a data
    # package: the hack in libexec/xscreensaver/, bin/tarnel leading to it, the picture in
    # share/tarnel/. Both ways in find the picture.
    usr="$work/usr"
    mkdir -p "$usr/libexec/xscreensaver" "$usr/bin" "$usr/share/tarnel"
    cp "$tarnel" "$usr/libexec/xscreensaver/tarnel"
    ln -s ../libexec/xscreensaver/tarnel "$usr/bin/tarnel"
    convert -size 155x115 xc:'#2080FF' "$usr/share/tarnel/preview.png"
    show_preview "$usr/bin/tarnel" "$usr/share/tarnel/preview.png"
    show_preview "$usr/libexec/xscreensaver/tarnel" "$usr/share/tarnel/preview.png"
    ;;
preview_build_tree)
    # The program where the build put it, reading the picture the build rendered.
    picture="$(dirname "$tarnel")/resources/preview.png"
    [ -s "$picture" ] || fail "the build rendered no $picture"
    show_preview "$tarnel" "$picture"
    ;;
preview_without_window)
    "$tarnel" /p >"$work/tarnel.log" 2>&1 &
    pid=$!; pids+=($pid)
    # The box is found by its title on the root window's children and answered with Return
    # from a pointer over it.
    for _ in $(seq 100); do
        geometry=$(xwininfo -root -tree | awk '/"ERROR"/{print $NF; exit}')
        [ -n "$geometry" ] && break
        sleep 0.1
    done
    [ -n "$geometry" ] || fail "no error box"
    IFS=+ read -r _ bx by <<<"$geometry"
    xdotool mousemove $((bx + 20)) $((by + 20)) key Return
    wait_exit "$pid" 5
    wait "$pid" || fail "exit status $?"
    grep -q 'ERROR: Cannot creat window!' "$work/tarnel.log" || fail "no error message"
    ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
