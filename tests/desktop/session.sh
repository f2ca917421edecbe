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
    export XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    # No session bus unless a test starts one: a program on X would start
    # one of its own (dbus-launch --autolaunch) and leave it running.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$SESSION_DIR/no-session-bus"
    # The server picks a free display number itself and writes it to the
    # file: two sessions starting at once never share a display. Without
    # -noreset it resets when its last client leaves, and a client that
    # connects meanwhile (the window manager after xdpyinfo) is turned away.
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp \
        3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 grep -q '^[0-9]' "$SESSION_DIR/display" || { cat "$SESSION_DIR/xvfb.log" >&2; fail "Xvfb did not start"; }
    DISPLAY=":$(head -n1 "$SESSION_DIR/display")"
    export DISPLAY
    wait_for 100 xdpyinfo || { cat "$SESSION_DIR/xvfb.log" >&2; fail "Xvfb did not start"; }
    # TICKORA_WM runs the tests under another window manager (by hand).
    ${TICKORA_WM:-openbox --sm-disable} >"$SESSION_DIR/wm.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || { cat "$SESSION_DIR/wm.log" >&2; fail "the window manager did not take over"; }
    picom --config /dev/null --backend xrender --no-fading-openclose --shadow-opacity 0 \
        >"$SESSION_DIR/picom.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 50 xdotool search --name '^picom$' || { cat "$SESSION_DIR/picom.log" >&2; fail "picom did not start"; }
    hsetroot -solid '#0000ff' >/dev/null 2>&1 || true
}

# Starts the clock from a fresh folder (so that Options.dat starts absent,
# or holds a copy of the file given with --options FILE), with any extra
# environment given as VAR=value arguments. Sets APP_PID, APP_DIR and APP_WIN.
start_clock() {
    local options=""
    if [ "${1-}" = "--options" ]; then
        options=$2
        shift 2
    fi
    APP_DIR="$SESSION_DIR/app.$RANDOM"
    mkdir -p "$APP_DIR"
    cp "$TICKORA" "$APP_DIR/"
    local f
    for f in "$(dirname "$TICKORA")"/About.gif; do
        [ -e "$f" ] && cp "$f" "$APP_DIR/"
    done
    [ -z "$options" ] || cp "$options" "$APP_DIR/Options.dat"
    restart_clock "$@"
}

# Starts the clock again from the folder of the last start_clock, keeping
# its Options.dat. Takes VAR=value arguments as start_clock does.
restart_clock() {
    env "$@" "$APP_DIR/$(basename "$TICKORA")" >>"$APP_DIR/stdout.log" 2>&1 &
    await_clock "$APP_DIR/stdout.log"
}

# Starts a copy of the clock where it lies (an installed one, say), with a
# whole command line: start_in_place [VAR=value...] [runner...] PROGRAM.
# Its output goes to the session folder. Sets APP_PID and APP_WIN.
start_in_place() {
    env "$@" >>"$SESSION_DIR/in-place.log" 2>&1 &
    await_clock "$SESSION_DIR/in-place.log"
}

# Takes the clock just started in the background as APP_PID and waits for
# its window (APP_WIN); on failure shows its output, the file $1.
await_clock() {
    APP_PID=$!
    SESSION_PIDS+=("$APP_PID")
    APP_WIN=""
    # Generous: a loaded machine can take seconds to start a Qt program.
    local tries=300
    while [ -z "$APP_WIN" ]; do
        APP_WIN=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n1 || true)
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || { cat "$1" >&2; fail "the clock's window did not appear"; }
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
        | sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Saves a screenshot of the whole screen under ARTIFACTS.
shot() {
    mkdir -p "$ARTIFACTS"
    import -silent -window root "$ARTIFACTS/$(basename "$0" .sh)-$1.png" 2>/dev/null
}

# Prints an Options.dat with the default values, changed by KEY=value
# arguments (e.g. options_with AutoHide=0 Translucent=128 >file).
options_with() {
    local line key
    local -A set=()
    for line in "$@"; do set[${line%%=*}]=${line#*=}; done
    for line in Translucent=255 BringToFront=1 AutoHide=1 HideBar=0 ViewDate=1 \
                ViewBorder=1 BorderWidth=4 ColorBorder=12632256 ViewTextHours=1 \
                ColorTextHours=0 ViewSecond=1 ColorLancetSecond=0 \
                ColorLancetMinute=255 ColorLancetHour=16711680; do
        key=${line%%=*}
        [ -z "${set[$key]+x}" ] || line="$key=${set[$key]}"
        printf '%s\r\n' "$line"
    done
}

# Sets FAKE_TIME to the environment that starts the clock at a fixed time
# of day, from which it goes on: start_clock "${FAKE_TIME[@]}".
fake_time() {
    FAKE_TIME=("LD_PRELOAD=$(find /usr/lib -name libfaketime.so.1 -print -quit)"
               "FAKETIME=@$1" FAKETIME_DONT_FAKE_MONOTONIC=1)
}

# The top-level window with this exact title, once it is shown (empty when
# there is none).
window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true
}

# How many pixels differ between two images (ImageMagick's compare).
pixels_differing() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# Saves a piece of the screen as WxH+X+Y to a PNG file.
grab() {
    import -silent -window root -crop "$1" +repage "$2" 2>/dev/null
}
