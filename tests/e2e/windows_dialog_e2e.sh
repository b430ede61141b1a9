#!/usr/bin/env bash
# The Windows configuration dialog and preview of tarnel.scr under Wine on the current X
# display (scripts/test-windows.sh provides a private Xvfb and the Wine prefix). win_probe
# reads the dialog's controls as Windows built them and presses buttons, xdotool clicks the
# track bars, host_window plays the window that Windows hands to /p and /c.
# Usage: windows_dialog_e2e.sh SCENARIO TARNEL_SCR TOOLS_DIR PICTURES_DIR
# (TOOLS_DIR holds win_probe.exe and host_window.exe; PICTURES_DIR the rendered preview.png)
set -Eeuo pipefail
scenario=$1
scr=$2
probe=$3/win_probe.exe
host=$3/host_window.exe
pictures=$4
controls_table=$(cd "$(dirname "$0")/../win32" && pwd)/configuration_controls.txt
work=$(mktemp -d)
key='HKCU\Software\Vossick\Tarnel'
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work"/*.log >&2 2>/dev/null || true; exit 1; }
# A step that fails outside fail() (a probe that finds no control, a refused click) still says
# which one it was (-E carries the trap into the helper functions).
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND exited with $?" >&2' ERR

# Windows programs print CR LF.
run_probe() { wine "$probe" "$@" | tr -d '\r'; }
wait_window() {  # title: waits until the probe lists it the same way twice
    # The window can be found while Windows is still creating its controls, and a listing
    # taken then lacks some of them.
    local previous="" current
    for _ in $(seq 150); do
        if run_probe list "$1" >"$work/controls.txt" 2>/dev/null; then
            current=$(cat "$work/controls.txt")
            [ -n "$previous" ] && [ "$current" = "$previous" ] && return 0
            previous=$current
        fi
        sleep 0.2
    done
    fail "no window \"$1\""
}
control() {  # id: that control's line of the last listing
    awk -v id="$1" '$1 == id' "$work/controls.txt"
}
wait_exit() {  # pid seconds
    for _ in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    fail "tarnel.scr did not end"
}
reg_value() {  # name: the stored value as wine reg query prints it
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name {print $3}'
}
start_settings() {
    # The parent too: a scenario may have left it volatile.
    wine reg delete 'HKCU\Software\Vossick' /f >/dev/null 2>&1 || true
    # One import rather than a wine reg process per value, each of which took a fraction of a
    # second to start.
    {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\%s]\r\n' "${key#HKCU\\}"
        for pair in UseDesktop=0 Width=1024 Height=768 Depth=32 ShowFPS=0 DefGamma=0 Gamma=50 Speed=50 \
                    EnableMusic=1 Volume=100 ShowClock=1 TimeFormat=0; do
            printf '"%s"=dword:%08x\r\n' "${pair%%=*}" "${pair#*=}"
        done
        printf '"Path"="C:\\\\tarnel data"\r\n'
    } >"$work/settings.reg"
    wine reg import "$(winepath -w "$work/settings.reg")" >/dev/null 2>&1 || fail "the settings could not be imported"
}
start_scr() {  # arguments
    wine "$scr" "$@" >"$work/tarnel.log" 2>&1 &
    pid=$!
    pids+=($pid)
}
start_host() {  # seconds: a host window that lives that long; sets parent to its number
    wine "$host" 400 300 "$1" >"$work/host.txt" 2>"$work/host.log" &
    pids+=($!)
    for _ in $(seq 150); do
        parent=$(tr -d '\r\n' <"$work/host.txt")
        [ -n "$parent" ] && return 0
        sleep 0.1
    done
    fail "no host window"
}
click_bar() {  # id fraction: a click in the channel at that fraction of the bar's length
    read -r sx sy sw sh < <(control "$1" | awk '{print $10, $11, $12, $13}')
    xdotool mousemove $((sx + sw * $2 / 100)) $((sy + sh / 2)) click 1
}

case "$scenario" in
dialog_template)
    start_settings
    start_scr /c
    wait_window "Tarnel Configuration"
    read -r _ class style width height <"$work/controls.txt"
    [ "$class" = "#32770" ] || fail "not a dialog: $class"
    # WS_POPUP, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME, DS_SETFONT (DS_CENTER is not kept).
    (( (0x$style & 0x80c800c0) == 0x80c800c0 )) || fail "dialog style $style"
    while read -r id cls bits x y w h text; do
        [[ "$id" = \#* ]] && continue
        line=$(awk -v id="$id" -v x="$x" -v y="$y" '$1 == id && $6 == x && $7 == y' "$work/controls.txt")
        [ -n "$line" ] || fail "no control $id at $x,$y"
        read -r _ got_cls got_style _ _ _ _ got_w got_h _ _ _ _ got_text <<<"$line"
        [ "${got_cls,,}" = "${cls,,}" ] || fail "control $id is a $got_cls"
        (( (0x$got_style & 0x$bits) == 0x$bits )) || fail "control $id style $got_style"
        [ "$w" = - ] || [ "$got_w" = "$w" ] || fail "control $id is $got_w wide"
        [ "$h" = - ] || [ "$got_h" = "$h" ] || fail "control $id is $got_h high"
        [ "$text" = "*" ] || [ "$got_text" = "\"$text\"" ] || fail "control $id says $got_text"
    done <"$controls_table"
    [ "$(grep -c . "$work/controls.txt")" = 29 ] || fail "not 28 controls"
    # The stored mode is selected, the labels show the stored values.
    control 1000 | grep -q '"1024 x 768 32 bits"$' || fail "mode not selected: $(control 1000)"
    control 1030 | grep -q '"Brightness (100%)"$' || fail "brightness label: $(control 1030)"
    control 1017 | grep -q '"Volume (100%)"$' || fail "volume label: $(control 1017)"
    # About opens its box over the dialog and closes with OK.
    run_probe click "Tarnel Configuration" 1008
    wait_window "About"
    control 1 | grep -q '"OK"$' || fail "About has no OK"
    run_probe click "About" 1
    for _ in $(seq 50); do run_probe list "About" >/dev/null 2>&1 || break; sleep 0.2; done
    run_probe click "Tarnel Configuration" 2
    wait_exit "$pid" 10
    ;;
dialog_ok)
    start_settings
    start_scr /c
    wait_window "Tarnel Configuration"
    run_probe click "Tarnel Configuration" 1027     # Show FPS on
    click_bar 1057 90                              # a page towards the end: Speed 60
    click_bar 1029 20                              # a page towards the start: Gamma 40
    xdotool key End                                # the focused gamma bar to its end: Gamma 100
    sleep 0.5
    wait_window "Tarnel Configuration"
    control 1030 | grep -q '"Brightness (150%)"$' || fail "brightness label: $(control 1030)"
    # Every move of a bar moves its setting and label at once, a line (an arrow key) and the
    # start (Home) as well as a page. (Wine 8's track bar does not move on the wheel; on
    # Windows the wheel sends the line notifications that the arrow keys send.)
    expect_volume() {  # position: the listing must show the bar there and the label with it
        sleep 0.3
        wait_window "Tarnel Configuration"
        read -r _ _ _ _ at _ <<<"$(control 1026)"
        [ "$at" = "$1" ] || fail "volume bar at $at, not $1"
        control 1017 | grep -q "\"Volume ($at%)\"\$" || fail "bar at $at, label $(control 1017)"
    }
    click_bar 1026 20
    expect_volume 90
    xdotool key Right
    expect_volume 91
    xdotool key Home
    expect_volume 1
    run_probe click "Tarnel Configuration" 1
    wait_exit "$pid" 10
    wait "$pid" || fail "exit status $?"
    wine reg query "$key" | tr -d '\r' >"$work/registry.txt"
    [ "$(reg_value ShowFPS)" = 0x1 ] || fail "ShowFPS not saved: $(cat "$work/registry.txt")"
    [ "$(reg_value Speed)" = 0x3c ] || fail "Speed $(reg_value Speed), not 60"
    [ "$(reg_value Gamma)" = 0x64 ] || fail "Gamma $(reg_value Gamma), not 100"
    [ "$(reg_value Volume)" = 0x1 ] || fail "Volume $(reg_value Volume), not 1"
    [ "$(reg_value ShowFlame)" = 0x0 ] || fail "no ShowFlame 0"
    [ "$(reg_value Width)" = 0x400 ] || fail "Width $(reg_value Width)"
    grep -q 'Path *REG_SZ *C:\\tarnel data$' "$work/registry.txt" || fail "Path touched"
    ;;
dialog_save_refused)
    # A volatile key above the settings key: Windows refuses to make a lasting key under it,
    # and OK says so in a message box naming the key and the system's reason.
    wine reg delete 'HKCU\Software\Vossick' /f >/dev/null 2>&1 || true
    run_probe volatile 'Software\Vossick' || fail "no volatile key"
    start_scr /c
    wait_window "Tarnel Configuration"
    run_probe click "Tarnel Configuration" 1
    wait_window "Settings Not Saved"
    grep -q '"The settings could not be saved to HKEY_CURRENT_USER\\Software\\Vossick\\Tarnel: ..*"$' \
        "$work/controls.txt" || fail "no message naming the key: $(cat "$work/controls.txt")"
    kill -0 "$pid" 2>/dev/null || fail "the dialog ended before the message was answered"
    run_probe click "Settings Not Saved" 1
    wait_exit "$pid" 10
    wine reg delete 'HKCU\Software\Vossick' /f >/dev/null 2>&1 || true
    ;;
dialog_cancel)
    start_settings
    wine reg export "$key" "$work/before.reg" /y >/dev/null
    # No switch at all: what Configure on the file's context menu runs.
    start_scr
    wait_window "Tarnel Configuration"
    run_probe click "Tarnel Configuration" 1027
    run_probe click "Tarnel Configuration" 1006   # Restore Defaults
    run_probe click "Tarnel Configuration" 2
    wait_exit "$pid" 10
    wine reg export "$key" "$work/after.reg" /y >/dev/null
    cmp -s "$work/before.reg" "$work/after.reg" || fail "Cancel wrote the settings"
    ;;
dialog_owner)
    # The form Windows uses for Configure from the display settings: /c:NUMBER owns the dialog.
    start_settings
    start_host 30
    start_scr "/c:$parent"
    wait_window "Tarnel Configuration"
    owner=$(run_probe owner "Tarnel Configuration")
    [ "$owner" = "$parent" ] || fail "owned by $owner, not $parent"
    run_probe click "Tarnel Configuration" 2
    wait_exit "$pid" 10
    ;;
visit)
    # Visit... hands the page to the system's "open" verb, which Wine passes on to
    # xdg-open: a stand-in on PATH records what it was given.
    mkdir -p "$work/bin"
    printf '#!/bin/sh\necho "$@" >"%s"\n' "$work/opened.txt" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    start_settings
    PATH="$work/bin:$PATH" start_scr /c
    wait_window "Tarnel Configuration"
    run_probe click "Tarnel Configuration" 1007
    for _ in $(seq 100); do [ -s "$work/opened.txt" ] && break; sleep 0.2; done
    grep -qx 'https://tarnel.org/' "$work/opened.txt" 2>/dev/null || fail "the page was not opened"
    run_probe click "Tarnel Configuration" 2
    wait_exit "$pid" 10
    ;;
preview)
    start_host 6
    start_scr /p "$parent"
    for _ in $(seq 100); do
        run_probe list "#$parent" 400 300 >"$work/controls.txt"
        grep -q TarnelPreview "$work/controls.txt" && break
        sleep 0.2
    done
    # A visible child over the whole client area, titled Tarnel3D.
    line=$(grep TarnelPreview "$work/controls.txt") || fail "no preview window"
    read -r _ _ style _ _ x y w h _ _ _ _ text <<<"$line"
    [ "$style" = 50000000 ] || fail "preview style $style"
    [ "$x $y $w $h" = "0 0 400 300" ] || fail "preview at $x $y $w $h"
    [ "$text" = '"Tarnel3D"' ] || fail "preview title $text"
    # The picture it paints is bitmap 112, the preview picture pixel for pixel. (The screen
    # itself cannot be probed here: Wine 8 shows nothing that a child window paints when its
    # parent belongs to another process, which is always so for a preview.)
    pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1; }
    expected="155 115 $(pixel "$pictures/preview.png" 10 10) $(pixel "$pictures/preview.png" 154 114)"
    [ "$(run_probe bitmap "$(winepath -w "$scr")" 112)" = "$expected" ] || fail "bitmap 112 is not the preview picture"
    # The host closing its window ends the preview.
    wait_exit "$pid" 15
    wait "$pid" || fail "exit status $?"
    ;;
preview_without_window)
    start_scr /p
    wait_window "ERROR"
    grep -q '"Cannot creat window!"$' "$work/controls.txt" || fail "no error text: $(cat "$work/controls.txt")"
    run_probe click "ERROR" 1
    wait_exit "$pid" 10
    wait "$pid" || fail "exit status $?"
    ;;
icon)
    [ "$(run_probe icon "$(winepath -w "$scr")" 111)" = "32 32 32" ] || fail "no 32-bit 32 x 32 icon 111"
    ;;
*) fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
