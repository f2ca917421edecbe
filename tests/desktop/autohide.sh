#!/usr/bin/env bash
# Auto-hide: with the pointer away the window slides out to the right,
# leaving the bar plus 70 twips (or 70 twips alone with the bar hidden), and
# the pointer on that strip brings the whole window back.
. "$(dirname "$0")/session.sh"
start_session

geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }

# The screen is 19200 twips wide: hidden with the bar, the window's left is
# 19200 - 270 - 70 = 18860 twips (1257.3 px), hidden without it 19130 twips
# (1275.3 px); whole pixels are the nearest ones. (Openbox would keep a
# tenth of a program-moved window, 20 px, on the screen, but not of one that
# claims the strip as its screen edge.)
at_hidden_x() { geometry && { [ "$x" -eq "$1" ] || [ "$x" -eq "${2:-$1}" ]; }; }
check_hiding() {
    local name=$1
    shift
    xdotool mousemove 0 500
    wait_for 10 at_hidden_x "$@" || fail "$name: pointer away, x is $x, expected $*"
    shot "$name-hidden"
    # A pixel just inside the screen's right edge is the window's, not the root's.
    [ "$(pixel 1279 $((y + 100)))" != 0,0,255 ] || fail "$name: nothing of the window is left on the screen"
    xdotool mousemove 1279 $((y + 50))
    wait_for 10 docked || fail "$name: the pointer on the strip did not bring the window back (x $x)"
    shot "$name-shown"
    xdotool mousemove 0 500
    wait_for 10 at_hidden_x "$@" || fail "$name: the window did not hide again (x $x)"
}

# Wakeups of Qt's X event reader thread: it wakes for every reply and
# event from the X server.
x_reader_wakeups() {
    local task
    for task in /proc/"$APP_PID"/task/*; do
        if [ "$(cat "$task/comm")" = QXcbEventQueue ]; then
            awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status"
            return
        fi
    done
    fail "no X event reader thread"
}

start_clock
check_hiding "bar" 1257
# With the pointer still the clock knows where it is without asking: a
# question every 300 ms (a round trip each) would wake the reader about ten
# times in three seconds; a few events may come from the window manager.
sleep 1
before=$(x_reader_wakeups)
sleep 3
after=$(x_reader_wakeups)
[ $((after - before)) -le 3 ] || fail "the X reader woke $((after - before)) times in 3 s with the pointer still"
kill "$APP_PID"

options_with HideBar=1 >"$SESSION_DIR/Options.dat"
start_clock --options "$SESSION_DIR/Options.dat"
check_hiding "no-bar" 1275
echo "PASS"
