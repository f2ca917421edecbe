# The desktop the scenarios share (Xvfb, a window manager, picom over a blue
# root, an accessibility bus) and the helpers they use. Sourced by run.sh;
# everything started is stopped by process id. Needs TICKORA and ARTIFACTS;
# WM names the window manager, openbox unless it says icewm.

SESSION_PIDS=()
WM=${WM:-openbox}
unset QT_QPA_PLATFORM # the scenarios run on the X server
SESSION_DIR=$(mktemp -d /tmp/tickora-desktop.XXXXXX)
LIBFAKETIME=$(find /usr/lib -name libfaketime.so.1 -print -quit)

kill_tree() {
    local child
    for child in $(pgrep -P "$1" 2>/dev/null); do kill_tree "$child"; done
    kill "$1" 2>/dev/null || true
}

stop_session() {
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do kill_tree "${SESSION_PIDS[i]}"; done
    rm -rf "$SESSION_DIR"
}

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    shot failure || true
    exit 1
}

# Polls a command until it succeeds, at most $1 tenths of a second on a quiet machine, times
# WAIT_SCALE (5 unless set): a loaded 2-core machine (two CPU-bound processes beside the session)
# is that much slower, and a wait that succeeds ends at once whatever its deadline.
WAIT_SCALE=${WAIT_SCALE:-5}
wait_for() {
    local deadline=$(($(date +%s%N) + $1 * WAIT_SCALE * 100000000))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

start_session() {
    export XDG_RUNTIME_DIR="$SESSION_DIR/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    # A free display number, picked by the server; -noreset keeps it up between clients.
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 grep -q '^[0-9]' "$SESSION_DIR/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$SESSION_DIR/display")"
    wait_for 100 xdpyinfo || fail "Xvfb did not start"
    case $WM in
        openbox) openbox --sm-disable >"$SESSION_DIR/wm.log" 2>&1 & ;;
        icewm) icewm >"$SESSION_DIR/wm.log" 2>&1 & ;;
        *) fail "no window manager called '$WM'" ;;
    esac
    SESSION_PIDS+=($!)
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "$WM did not take over"
    picom --config /dev/null --backend xrender --no-fading-openclose --shadow-opacity 0 >"$SESSION_DIR/picom.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 50 xdotool search --name '^picom$' || fail "picom did not start"
    hsetroot -solid '#0000ff' >/dev/null 2>&1 || true
    eval "$(dbus-launch --sh-syntax)"
    SESSION_PIDS+=("$DBUS_SESSION_BUS_PID")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$SESSION_DIR/at-spi.log" 2>&1 &
    SESSION_PIDS+=($!)
    wait_for 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        || fail "the accessibility bus did not start"
}

# Starts the clock (environment CLOCK_ENV) from a fresh folder, with an Options.dat made by
# options_with KEY=value... if any given. Sets APP_PID, APP_DIR, APP_WIN. There is one clock per
# user and display: with APART=1 the clock starts in a network namespace of its own, where the
# running clocks' socket names are not seen, so that it runs beside them.
start_clock() {
    APP_DIR=$(mktemp -d "$SESSION_DIR/app.XXXXXX")
    mkdir -m 700 "$APP_DIR/runtime"
    cp "$TICKORA" "$(dirname "$TICKORA")/About.gif" "$APP_DIR/"
    [ "$#" -eq 0 ] || options_with "$@" >"$APP_DIR/Options.dat"
    restart_clock
}

# Starts the clock again from the folder of the last start_clock.
restart_clock() {
    ${APART:+unshare --net} env XDG_RUNTIME_DIR="$APP_DIR/runtime" "${CLOCK_ENV[@]}" "$APP_DIR/$(basename "$TICKORA")" \
        >>"$APP_DIR/stdout.log" 2>&1 &
    await_clock "$APP_DIR/stdout.log"
}

# Waits for the window (APP_WIN) of the program just started (APP_PID); else shows its output $1.
await_clock() {
    APP_PID=$!
    SCENARIO_PIDS+=("$APP_PID")
    found() { APP_WIN=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n1) && [ -n "$APP_WIN" ]; }
    wait_for 300 found || { cat "$1" >&2; fail "the clock's window did not appear"; }
}

stop_clock() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
}

# Sets x y w h, the outer geometry of APP_WIN or of the window $1.
geometry() {
    local info
    info=$(xwininfo -id "${1:-$APP_WIN}") || return 1
    read -r x y w h < <(awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}' <<<"$info")
}
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
await_docked() { wait_for 30 docked || fail "the clock did not dock at the right edge: x $x, width $w"; }
# Auto-hide is on: the pointer on the bar brings the clock and keeps it.
show_clock() {
    geometry
    xdotool mousemove 1277 $((y + 120))
    await_docked
}

pixel() {
    import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null \
        | sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
grab() { import -silent -window root -crop "$1" +repage "$2" 2>/dev/null; }
pixels_differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
shot() { mkdir -p "$ARTIFACTS" && import -silent -window root "$ARTIFACTS/$SCENARIO-$1.png" 2>/dev/null; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true; }
is_open() { [ -n "$(window_named "$1")" ]; }
is_closed() { ! is_open "$1"; }

# Prints the default Options.dat, changed by KEY=value arguments.
options_with() {
    local line key
    local -A set=()
    for line in "$@"; do set[${line%%=*}]=${line#*=}; done
    for line in Translucent=255 BringToFront=1 AutoHide=1 HideBar=0 ViewDate=1 ViewBorder=1 BorderWidth=4 \
        ColorBorder=12632256 ViewTextHours=1 ColorTextHours=0 ViewSecond=1 ColorLancetSecond=0 \
        ColorLancetMinute=255 ColorLancetHour=16711680; do
        key=${line%%=*}
        [ -z "${set[$key]+x}" ] || line="$key=${set[$key]}"
        printf '%s\r\n' "$line"
    done
}

# With CLOCK_ENV=("${FAKE_TIME[@]}") the clock's time is set_time "2026-03-04 03:00:20" or move_time SECONDS.
FAKE_TIME=("LD_PRELOAD=$LIBFAKETIME" "FAKETIME_TIMESTAMP_FILE=$SESSION_DIR/faketime.rc" FAKETIME_NO_CACHE=1
    FAKETIME_DONT_FAKE_MONOTONIC=1)
TIME_OFFSET=0
write_offset() { printf '%+d\n' "$TIME_OFFSET" >"$SESSION_DIR/faketime.rc"; }
set_time() { TIME_OFFSET=$(($(date -d "$1" +%s) - $(date +%s))); write_offset; }
move_time() { TIME_OFFSET=$((TIME_OFFSET + $1)); write_offset; }
write_offset

# Opens "Opzioni" with a right click on the bar; sets dx dy, where the window manager put it beside the clock.
open_options() {
    geometry
    xdotool mousemove $((x + 4 + 9)) $((y + 120)) click 3
    wait_for 30 is_open Opzioni || fail "a right click on the bar did not open \"Opzioni\""
    beside() { geometry "$(window_named Opzioni)" && [ "$x" -lt 1000 ] && dx=$x && dy=$y; }
    wait_for 20 beside || fail "the dialog did not open beside the clock"
    geometry
}
# Clicks ">" on the docked clock (APP_WIN, or the window $1) until its panel is open: a click that came
# while the window was still being placed at start-up is given again. Leaves x y w h of the open clock.
open_panel() {
    local win=${1:-$APP_WIN} try
    opened() { geometry "$win" && [ "$h" -gt 300 ] && [ $((x + w)) -eq 1280 ]; }
    for try in 1 2 3; do
        geometry "$win"
        xdotool mousemove $((x + 4 + 9)) $((y + 4 + 20 + 7)) click 1 mousemove 10 10
        ! wait_for 20 opened || return 0
    done
    fail "the panel did not open"
}
click_in_options() { xdotool mousemove $((dx + $1)) $((dy + $2)) click 1; }
close_options() {
    xdotool key "$1"
    wait_for 20 is_closed Opzioni || fail "$1 did not close the options"
}
