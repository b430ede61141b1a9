# Sourced (sh or bash) by every script that needs a private X server.
# start_xvfb DIR [WxHxD]: starts Xvfb on a free display number that the server picks itself,
# with its log in DIR/xvfb.log, waits until it accepts clients, exports DISPLAY and sets
# xvfb_pid. Returns 1 if the server is not ready within ten seconds. With -noreset, what a
# client leaves on the server (a gamma ramp) stays when the last client goes, as on a desktop.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${2:-1024x768x24}" -nolisten tcp -noreset 3>"$1/display" >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    [ -s "$1/display" ] || return 1
    DISPLAY=":$(head -n1 "$1/display")"
    export DISPLAY
}

# window_tree: the root window's tree as "xwininfo -root -tree" lists it. A window destroyed
# while the tree is walked makes xwininfo fail, so the walk is taken again.
window_tree() {
    for _ in 1 2 3 4 5; do
        window_tree_text=$(xwininfo -root -tree 2>/dev/null) &&
            { printf '%s\n' "$window_tree_text"; return 0; }
    done
    return 1
}
