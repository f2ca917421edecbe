# A throw-away desktop for the tests: Xvfb, the openbox window manager and
# the picom compositor over a solid blue root. Source this file, call
# start_session, and everything started is stopped by process id when the
# test exits, whether it passed or not.
#
# Needs: TICKORA (the built executable) and ARTIFACTS (a folder for
# screenshots) in the environment.

set -euo pipefail

SESSION_PIDS=()
SESSION_DIR=$(mktemp -d /tmp/tickora-desktop.XXXXXX)

stop_session() {
    local pid
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${SESSION_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${SESSION_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$SESSION_DIR"
}
trap stop_session EXIT

fail() {
    echo "FAIL: $*" >&2
    shot "failure" || true
    exit 1
}

# A display number nobody uses.
free_display() {
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return
        fi
    done
    echo "no free display" >&2
    return 1
}

# Waits until a command succeeds, at most $1 tenths of a second.
wait_for() {
    local tries=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

start_session() {
    local n
    n=$(free_display)
    export DISPLAY=":$n"
    export XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$SESSION_DIR/xvfb.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 xdpyinfo || { cat "$SESSION_DIR/xvfb.log" >&2; fail "Xvfb did not start"; }
    openbox --sm-disable >"$SESSION_DIR/openbox.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 xprop -root _NET_SUPPORTING_WM_CHECK || fail "openbox did not start"
    wait_for 50 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not take over"
    picom --config /dev/null --backend xrender --no-fading-openclose --shadow-opacity 0 \
        >"$SESSION_DIR/picom.log" 2>&1 &
    SESSION_PIDS+=($!)
    sleep 0.5
    hsetroot -solid '#0000ff' >/dev/null 2>&1 || true
}

# Starts the clock from a fresh folder (so that Options.dat starts absent),
# with any extra environment given as VAR=value arguments. Sets APP_PID,
# APP_DIR and APP_WIN.
start_clock() {
    APP_DIR="$SESSION_DIR/app.$RANDOM"
    mkdir -p "$APP_DIR"
    cp "$TICKORA" "$APP_DIR/"
    local f
    for f in "$(dirname "$TICKORA")"/About.gif; do
        [ -e "$f" ] && cp "$f" "$APP_DIR/"
    done
    env "$@" "$APP_DIR/$(basename "$TICKORA")" >"$APP_DIR/stdout.log" 2>&1 &
    APP_PID=$!
    SESSION_PIDS+=("$APP_PID")
    APP_WIN=""
    local tries=100
    while [ -z "$APP_WIN" ]; do
        APP_WIN=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n1 || true)
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { cat "$APP_DIR/stdout.log" >&2; fail "the clock's window did not appear"; }
        [ -n "$APP_WIN" ] || sleep 0.1
    done
}

# The window's geometry as X Y W H (outer, root coordinates).
window_geometry() {
    local info
    info=$(xwininfo -id "$1")
    echo "$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")" \
         "$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")" \
         "$(awk '/Width:/ {print $2}' <<<"$info")" \
         "$(awk '/Height:/ {print $2}' <<<"$info")"
}

# The colour of one pixel of the screen as "r,g,b".
pixel() {
    import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null \
        | awk 'NR == 2 { match($0, /\(([0-9]+),([0-9]+),([0-9]+)/, m); print m[1] "," m[2] "," m[3] }'
}

# Saves a screenshot of the whole screen under ARTIFACTS.
shot() {
    mkdir -p "$ARTIFACTS"
    import -silent -window root "$ARTIFACTS/$(basename "$0" .sh)-$1.png" 2>/dev/null
}
