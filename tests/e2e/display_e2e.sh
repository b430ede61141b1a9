#!/usr/bin/env bash
# The display a saver run changes always comes back, and the saver covers what it should, on
# real X servers started here: Xorg with the dummy driver (real RandR mode switches, skipped
# with 77 without Xorg, its dummy driver or root), Xvfb with monitors made by xrandr
# --setmonitor, openbox with other programs' windows, and gdb holding the saver at a chosen
# call. Times are printed in milliseconds.
# Usage: display_e2e.sh SCENARIO TARNEL
set -euo pipefail
scenario=$1
tarnel=$2
work=$(mktemp -d)
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
pids=()
saver_pid=""
cleanup() {
    [ -n "$saver_pid" ] && kill -9 "$saver_pid" 2>/dev/null
    # The clients first, then their server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# A sanitizer build runs several times slower: its deadlines are stretched by this factor.
slowdown=${TARNEL_TEST_SLOWDOWN:-1}
fail() { echo "FAIL: $*" >&2; tail -n 20 "$work"/saver.log >&2 2>/dev/null || true; exit 1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

write_settings() {  # lines for the settings file
    mkdir -p "$work/config/tarnel"
    printf 'EnableMusic=0\nShowClock=0\n%s\n' "$1" >"$work/config/tarnel/settings.ini"
}

source "$(dirname "$0")/../../scripts/xvfb.sh"

# Xorg with the dummy driver, 1600x1200 with 1024x768 and 800x600 to switch to, on a display
# number the server picks; no input devices (xdotool's XTEST still types).
start_xorg() {
    [ "$(id -u)" -eq 0 ] && command -v Xorg >/dev/null && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || exit 77
    mkdir -p "$work/xorg.conf.d"
    cat >"$work/xorg.conf" <<'EOT'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Modeline "1600x1200" 162.00 1600 1664 1856 2160 1200 1201 1204 1250 +hsync +vsync
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1600x1200" "1024x768" "800x600"
        Virtual 1600 1200
    EndSubSection
EndSection
EOT
    Xorg -config "$work/xorg.conf" -configdir "$work/xorg.conf.d" -noreset -nolisten tcp -novtswitch -sharevts \
        -logfile "$work/xorg.log" -displayfd 3 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xorg did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
}

private_xvfb() {  # WxHxD
    start_xvfb "$work" "$1" || fail "Xvfb did not start"
    pids+=("$xvfb_pid")
}

screen_size() { xrandr --current | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
screen_gamma() { xrandr --current --verbose | sed -n 's/^[[:space:]]*\(Gamma\|Brightness\):[[:space:]]*/\1: /p' | tr '\n' ' '; }
display_state() { echo "$(screen_size) $(screen_gamma)"; }

# A window of another client, as a screensaver host gives one to its hack: its id in $host.
# A line on descriptor 3 destroys it, and the host then writes "gone" to $work/host.out; a
# pipe of its own (not a coprocess), so that a debugger the test starts can write it too.
start_host_window() {
    mkfifo "$work/host.in"
    echo 'wm geometry . 320x240+0+0; frame .f -width 320 -height 240 -background black; pack .f
update; puts [winfo id .f]; flush stdout
while {[gets stdin line] >= 0} { destroy .f; update; puts gone; flush stdout }' >"$work/host.tcl"
    wish "$work/host.tcl" <"$work/host.in" >"$work/host.out" &
    pids+=($!)
    exec 3>"$work/host.in"
    for _ in $(seq 50); do [ -s "$work/host.out" ] && break; sleep 0.1; done
    host=$(head -n1 "$work/host.out")
    [ -n "$host" ] || fail "the host window did not show"
}
destroy_host_window() {  # and waits until it is gone
    echo destroy >&3
    for _ in $(seq 250); do grep -q '^gone$' "$work/host.out" && break; sleep 0.02; done
}

launch_saver() {  # arguments; returns once the flight starts
    "$tarnel" "$@" --verbose >"$work/saver.log" 2>&1 &
    saver_pid=$!
    for _ in $(seq $((300 * slowdown))); do
        grep -q '^tarnel: loaded, the flight starts$' "$work/saver.log" && { sleep 0.5; return 0; }
        kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended while loading"
        sleep 0.1
    done
    fail "the saver did not finish loading"
}

wait_saver() {  # expected status; the saver must end within two seconds
    local status=0
    for _ in $(seq $((40 * slowdown))); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$saver_pid" 2>/dev/null && fail "the saver is still running"
    wait "$saver_pid" 2>/dev/null || status=$?
    saver_pid=""
    [ "$status" -eq "$1" ] || fail "exit status $status, not $1"
}

wait_display() {  # state start-ms: waits up to two seconds for the display to show that state
    for _ in $(seq $((100 * slowdown))); do
        [ "$(display_state)" = "$1" ] && { echo $(($(now_ms) - $2)); return 0; }
        sleep 0.02
    done
    fail "the display stayed at $(display_state), not $1"
}

saver_window() { xdotool search --onlyvisible --name '^Tarnel$' | head -n1; }

# The share of the area (WxH+X+Y) of the last shot near a colour, and its brightest value.
share_of() { # area colour
    convert "$work/shot.png" -crop "$1" +repage -fuzz 20% -fill black +opaque "$2" -fill white -opaque "$2" \
        -format '%[fx:mean]' info:
}
white_share() { share_of "$1" white; }
brightest() { convert "$work/shot.png" -crop "$1" -format '%[fx:maxima]' info:; }
shot() { import -window root "$work/shot.png"; }
# A white window over the whole screen plays the desktop that the saver must cover.
white_desktop() {
    echo 'wm overrideredirect . 1; wm geometry . [winfo screenwidth .]x[winfo screenheight .]+0+0
. configure -background white; update; puts ready; flush stdout; vwait forever' >"$work/desk.tcl"
    coproc DESK { exec wish "$work/desk.tcl"; }
    pids+=($DESK_PID)
    read -r _ <&"${DESK[0]}"
    shot
    below 0.99 "$(white_share "$(xdpyinfo | awk '/dimensions:/{print $2}')+0+0")" || fail "no white desktop"
}

# Xorg runs in 800x600 during the saver, and its mode and the user's ramp come back.
xorg_saver_settings() {
    start_xorg
    xrandr --output DUMMY0 --gamma 0.8:0.9:1.25
    before=$(display_state)
    echo "before: $before"
    write_settings "UseDesktop=0
Width=800
Height=600
DefGamma=0
Gamma=100"
}
check_switched() {
    local during
    during=$(display_state)
    [ "$(screen_size)" = 800x600 ] || fail "the saver runs at $(screen_size), not 800x600"
    [ "$during" != "$before" ] || fail "the gamma did not change: $during"
}

case "$scenario" in
display_back_after_key_and_sigterm)
    xorg_saver_settings
    launch_saver /s
    check_switched
    xdotool key space
    start=$(now_ms)
    took=$(wait_display "$before" "$start")
    wait_saver 0
    echo "key: display restored ${took} ms after the key"
    launch_saver /s
    check_switched
    kill -TERM "$saver_pid"
    start=$(now_ms)
    took=$(wait_display "$before" "$start")
    wait_saver 0
    echo "SIGTERM: display restored ${took} ms after the signal"
    ;;
watcher_restores_display_after_sigkill)
    xorg_saver_settings
    launch_saver /s
    check_switched
    watcher=$(pgrep -P "$saver_pid" | head -n1 || true)
    [ -n "$watcher" ] || fail "no watcher beside the saver"
    kill -KILL "$saver_pid"
    start=$(now_ms)
    took=$(wait_display "$before" "$start")
    wait_saver 137
    # An orphan that ended stays a zombie until something reaps it: a zombie has ended.
    running() { kill -0 "$1" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }
    for _ in $(seq $((20 * slowdown))); do running "$watcher" || break; sleep 0.05; done
    running "$watcher" && fail "the watcher outlived the saver by a second"
    echo "SIGKILL: display restored ${took} ms after the signal, the watcher gone"
    ;;
lost_window_ends_run_and_restores_display)
    # Another client destroys the saver's window, then one kills the saver's connection.
    xorg_saver_settings
    for how in windowclose windowkill; do
        launch_saver /s
        check_switched
        xdotool "$how" "$(saver_window)"
        start=$(now_ms)
        took=$(wait_display "$before" "$start")
        wait_saver 0
        echo "$how: display restored ${took} ms after, exit status 0"
    done
    ;;
host_window_destroyed_ends_run)
    # The screensaver host's window (XSCREENSAVER_WINDOW) goes while the saver draws in it.
    private_xvfb 800x600x24
    xrandr --output screen --gamma 0.8:0.9:1.25
    before=$(screen_gamma)
    write_settings "DefGamma=0
Gamma=100"
    start_host_window
    XSCREENSAVER_WINDOW=$host launch_saver --root
    [ "$(screen_gamma)" != "$before" ] || fail "the gamma did not change"
    destroy_host_window
    start=$(now_ms)
    for _ in $(seq 100); do [ "$(screen_gamma)" = "$before" ] && break; sleep 0.02; done
    took=$(($(now_ms) - start))
    wait_saver 0
    [ "$(screen_gamma)" = "$before" ] || fail "the gamma stayed at $(screen_gamma)"
    echo "host window destroyed: ramp back in ${took} ms, exit status 0"
    ;;
host_window_destroyed_inside_a_frame)
    # The host destroys its window at the worst moment: while the saver stands (held by gdb)
    # at the entry of GL's query of the window's size, early in a frame. The query must come
    # back with a defined size (Mesa's software GL ignores its status and laid the frame out
    # for whatever its stack held), and the run ends through its end steps. The width is read
    # through the x86-64 calling convention.
    command -v gdb >/dev/null && [ "$(uname -m)" = x86_64 ] || exit 77
    private_xvfb 800x600x24
    write_settings "DefGamma=0"
    start_host_window
    # Every library's calls go through the executable's definition where it has one; a break
    # at an address skips no prologue, so the registers still hold the arguments.
    cat >"$work/gdb" <<EOT
set pagination off
handle SIGTERM nostop noprint pass
break main
run
break *&XGetGeometry
ignore 2 $((100 * slowdown))
commands 2
silent
shell echo destroy >&3; for _ in \$(seq 50); do grep -q '^gone\$' "$work/host.out" && break; sleep 0.1; done
delete 2
set \$width = (unsigned int*)\$r9
tbreak *(*(void**)\$rsp)
commands
silent
printf "the destroyed window's width: %u\\n", *\$width
continue
end
continue
end
continue
printf "exit status %d\\n", \$_exitcode
EOT
    XSCREENSAVER_WINDOW=$host timeout $((50 * slowdown)) gdb -q -batch -nx -x "$work/gdb" --args "$tarnel" --root --verbose \
        >"$work/saver.log" 2>&1 || true
    grep -q "^the destroyed window's width: 0$" "$work/saver.log" || fail "the query left $(grep -a "window's width" "$work/saver.log" || echo 'no answer')"
    grep -q '^tarnel: the saver.s window or display is gone; the run ends$' "$work/saver.log" || fail "the loss went unseen"
    grep -q '^exit status 0$' "$work/saver.log" || fail "the run did not end with status 0"
    echo "host window destroyed inside the size query: a 0x0 answer, exit status 0"
    ;;
window_manager_gives_saver_keyboard)
    # Under openbox, a dock panel stays on top and another program takes the focus back every
    # 0.2 s: the saver still covers both and ends on a key, then on a click.
    private_xvfb 1024x768x24
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
    echo 'wm title . Panel; wm attributes . -type dock -topmost 1; wm geometry . 1024x40+0+0
frame .f -width 1024 -height 40 -background #ff0000; pack .f; update; vwait forever' >"$work/panel.tcl"
    echo 'wm title . Thief; wm geometry . 200x100+650+450; frame .f -width 300 -height 200 -background #00ff00; pack .f
bind . <Key> {puts "key %K"; flush stdout}
proc steal {} { raise .; focus -force .; after 200 steal }
update; steal; vwait forever' >"$work/thief.tcl"
    wish "$work/panel.tcl" & pids+=($!)
    wish "$work/thief.tcl" >"$work/thief.log" & pids+=($!)
    thief_area() {  # where the window manager put the other program's window, WxH+X+Y
        xwininfo -name Thief | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width/{w=$2} /Height/{h=$2} END{print w "x" h "+" x "+" y}'
    }
    shown() {
        shot
        below 0.9 "$(share_of 1024x40+0+0 "#ff0000")" && below 0.9 "$(share_of "$(thief_area)" "#00ff00")" &&
            [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Thief ]
    }
    for _ in $(seq 50); do shown && break; sleep 0.1; done
    shown || fail "the panel and the focused window do not show before the saver"
    thief=$(thief_area)
    write_settings ""
    for end in key click; do
        launch_saver /s
        shot
        red=$(share_of 1024x40+0+0 "#ff0000")
        green=$(share_of "$thief" "#00ff00")
        below "$red" 0.01 && below "$green" 0.01 || fail "the panel ($red) or the other window ($green) shows through"
        if [ "$end" = key ]; then xdotool key space; else xdotool click 1; fi
        wait_saver 0
        echo "a $end ended the saver over the panel and the focused window"
    done
    [ ! -s "$work/thief.log" ] || fail "the other program got the key: $(cat "$work/thief.log")"
    ;;
randr_monitors_each_covered)
    # One output split into two monitors, the left one primary, and a third that mirrors it.
    private_xvfb 2048x768x24
    xrandr --setmonitor '*left' 1024/270x768/203+0+0 screen >/dev/null
    xrandr --setmonitor right 1024/270x768/203+1024+0 none >/dev/null
    xrandr --setmonitor mirror 1024/270x768/203+0+0 none >/dev/null
    white_desktop
    write_settings ""
    launch_saver /s
    shot
    windows=$(window_tree | grep -c '"Tarnel"')
    xdotool key space
    wait_saver 0
    [ "$windows" -eq 2 ] || fail "$windows saver windows for two monitors and a mirror"
    below "$(white_share 1024x768+0+0)" 0.01 || fail "desktop left on the primary"
    [ "$(brightest 1024x768+0+0)" != 0 ] || fail "no scene on the primary monitor"
    [ "$(brightest 1024x768+1024+0)" = 0 ] || fail "the other monitor is not black"
    echo "primary monitor shows the scene, the other is black, $windows windows"
    ;;
missing_mode_falls_back_to_desktop)
    private_xvfb 1024x768x24
    white_desktop
    write_settings "UseDesktop=0
Width=800
Height=600"
    launch_saver /s
    shot
    xdotool key space
    wait_saver 0
    grep -q '^tarnel: the display has no 800x600 mode; the desktop mode 1024x768 stands in$' "$work/saver.log" ||
        fail "the stand-in mode went unreported"
    share=$(white_share 1024x768+0+0)
    below "$share" 0.01 || fail "the desktop shows around the saver ($share white)"
    echo "the desktop mode stood in; white left: $share"
    ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
