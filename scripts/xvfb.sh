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
