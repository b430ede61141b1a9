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

show_preview() {  # program picture [hex]: the host's window must show the picture at its top-left
    echo 'wm geometry . 400x300+0+0; frame .f -width 400 -height 300 -background white; pack .f
update; puts [winfo id .f]; flush stdout
while {[gets stdin line] >= 0} { if {$line eq "close"} { destroy .f; update } }' >"$work/host.tcl"
    coproc HOST { wish "$work/host.tcl"; }
    pids+=($HOST_PID)
    read -r parent <&"${HOST[0]}"
    # The window number in decimal, or as the host printed it (0x...) when asked.
    [ "${3:-}" = hex ] || parent=$(printf '%d' "$parent")
    "$1" /p "$parent" >"$work/tarnel.log" 2>&1 &
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

open_dialog() {  # sets pid, and X, Y, WIDTH and HEIGHT of the dialog window
    "$tarnel" /c >"$work/tarnel.log" 2>&1 &
    pid=$!; pids+=($pid)
    local win
    win=$(wait_window "Tarnel Configuration")
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # Without a window manager the keys go to the window under the pointer.
    xdotool mousemove $((X + 4)) $((Y + 4))
}
keys() {  # xdotool key words, each given time to arrive
    for k in "$@"; do xdotool key "$k"; sleep 0.1; done
}

case "$scenario" in
dialog_ok)
    # Worked from the keyboard as a user would: mnemonics reach the controls, and every key
    # that moves a bar (End, Home, Page_Up) changes its setting.
    write_settings
    open_dialog
    keys alt+f alt+s End alt+b Home alt+v Page_Up
    keys alt+o
    wait_exit "$pid" 5
    for pair in ShowFPS=1 Speed=100 Gamma=0 Volume=90; do
        grep -qx "$pair" "$settings_file" || fail "not saved: $pair in $(cat "$settings_file")"
    done
    ;;
dialog_ok_unwritable)
    # The settings folder cannot be made (a file stands in its place): OK says so in a message
    # box naming the file and the reason, and the dialog closes once it is answered.
    mkdir -p "$work/config"
    : >"$work/config/tarnel"
    open_dialog
    keys alt+o
    box=$(wait_window "Settings Not Saved")
    kill -0 "$pid" 2>/dev/null || fail "the dialog ended before the message was answered"
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + 4)) $((Y + 4))
    keys Return
    wait_exit "$pid" 5
    grep -qx "tarnel: The settings could not be saved to $settings_file: Not a directory" "$work/tarnel.log" ||
        fail "the failed save went unreported"
    ;;
dialog_cancel)
    write_settings
    before=$(cat "$settings_file")
    open_dialog
    keys alt+f Escape
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
    show_preview "$tarnel" "$picture" hex
    ;;
preview_without_window)
    "$tarnel" /p >"$work/tarnel.log" 2>&1 &
    pid=$!; pids+=($pid)
    # The box is found by its title on the root window's children once it is mapped (a key
    # sent while it was only created went past it) and answered with Return from a pointer
    # over it.
    box=""
    for _ in $(seq 100); do
        box=$(window_tree | awk '/"ERROR"/{print $1; exit}')
        [ -n "$box" ] && xwininfo -id "$box" | grep -q 'Map State: IsViewable' && break
        box=""
        sleep 0.1
    done
    [ -n "$box" ] || fail "no error box"
    bx=$(xwininfo -id "$box" | awk '/Absolute upper-left X/{print $NF}')
    by=$(xwininfo -id "$box" | awk '/Absolute upper-left Y/{print $NF}')
    xdotool mousemove $((bx + 20)) $((by + 20)) key Return
    wait_exit "$pid" 5
    wait "$pid" || fail "exit status $?"
    grep -q 'ERROR: Cannot creat window!' "$work/tarnel.log" || fail "no error message"
    ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
