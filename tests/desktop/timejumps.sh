#!/usr/bin/env bash
# The clock stays right when the time of day jumps while it runs: set
# forward 3 h 17 min, set back 1 h, a 10-minute suspend (the process
# stopped while the clock moves on), and midnight passing. After each, the
# dial (hands and date window) and the panel's long date and time labels
# must look exactly as those of a clock started afresh at the new time,
# photographed beside it at the same moment.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 ViewSecond=0 >"$SESSION_DIR/Options.dat"
control="$SESSION_DIR/faketime.rc"
offset=0
write_offset() { if [ "$offset" -ge 0 ]; then echo "+$offset"; else echo "$offset"; fi >"$control"; }
set_clock() { offset=$(($(date -d "$1" +%s) - $(date +%s))); write_offset; }
move_clock() { offset=$((offset + $1)); write_offset; }
FAKE=("LD_PRELOAD=$(find /usr/lib -name libfaketime.so.1 -print -quit)" "FAKETIME_TIMESTAMP_FILE=$control"
      FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1)
xdotool mousemove 10 10

# Starts a clock at the top or at the bottom of the screen with its panel
# open; sets WIN to its window. Each clock has a runtime folder of its own,
# or the second would hand over to the first.
open_clock() {
    local top=$1 x y w h
    start_clock --options "$SESSION_DIR/Options.dat" "${FAKE[@]}" XDG_RUNTIME_DIR="$(mktemp -d "$SESSION_DIR/run.XXXXXX")"
    WIN=$APP_WIN
    xdotool windowmove "$WIN" 1000 "$top"
    at() { read -r x y w h < <(window_geometry "$WIN") && [ "$y" -eq "$top" ] && [ $((x + w)) -eq 1280 ]; }
    wait_for 30 at || fail "the clock did not settle at the right edge, y $top"
    xdotool mousemove $((x + 4 + 9)) $((y + 4 + 20 + 7)) click 1 mousemove 10 10
    opened() { read -r x y w h < <(window_geometry "$WIN") && [ "$h" -gt 300 ] && [ $((x + w)) -eq 1280 ]; }
    wait_for 30 opened || fail "the panel did not open"
}

# The window down to the calendar's top: the dial and the two labels. The
# calendar stays on the day the clock started, by design.
upper() {
    local x y w h
    read -r x y w h < <(window_geometry "$1")
    grab "${w}x$((h - 170))+$x+$y" "$2"
}
same_as_reference() {
    upper "$CLOCK" "$SESSION_DIR/clock.png"
    upper "$REF" "$SESSION_DIR/ref.png"
    [ "$(pixels_differing "$SESSION_DIR/clock.png" "$SESSION_DIR/ref.png")" -eq 0 ]
}
# Checks the clock against a clock started now, then stops the latter.
check_against_fresh_clock() {
    local what=$1
    open_clock 560
    REF=$WIN
    REF_PID=$APP_PID
    wait_for 50 same_as_reference || {
        cp "$SESSION_DIR/clock.png" "$ARTIFACTS/timejumps-$what-clock.png"
        cp "$SESSION_DIR/ref.png" "$ARTIFACTS/timejumps-$what-fresh.png"
        fail "$what: the clock differs from a clock started at the new time"
    }
    kill "$REF_PID"
    wait "$REF_PID" 2>/dev/null || true
    echo "$what: right"
}
changed_since() {
    upper "$CLOCK" "$SESSION_DIR/now.png"
    [ "$(pixels_differing "$1" "$SESSION_DIR/now.png")" -gt 0 ]
}

set_clock "2026-03-04 03:00:10"
open_clock 0
CLOCK=$WIN
CLOCK_PID=$APP_PID
check_against_fresh_clock "start"

upper "$CLOCK" "$SESSION_DIR/before.png"
move_clock $((3 * 3600 + 17 * 60))
wait_for 20 changed_since "$SESSION_DIR/before.png" || fail "forward 3 h 17 min: the clock did not change"
check_against_fresh_clock "forward 3 h 17 min"

upper "$CLOCK" "$SESSION_DIR/before.png"
move_clock -3600
wait_for 20 changed_since "$SESSION_DIR/before.png" || fail "back 1 h: the clock did not change"
check_against_fresh_clock "back 1 h"

upper "$CLOCK" "$SESSION_DIR/before.png"
kill -STOP "$CLOCK_PID"
move_clock 600
kill -CONT "$CLOCK_PID"
wait_for 20 changed_since "$SESSION_DIR/before.png" || fail "10-minute suspend: the clock did not change"
check_against_fresh_clock "10-minute suspend"

# Midnight: ten seconds before it, the dial's date window and the long date;
# both must change at the first tick of the new day.
set_clock "2026-03-04 23:59:50"
midnight=$(date -d '2026-03-05 00:00:00' +%s)
past_midnight() { [ $(($(date +%s) + offset)) -ge "$midnight" ]; }
check_against_fresh_clock "just before midnight"
past_midnight && fail "midnight came before the check; the machine is too slow for this test"
upper "$CLOCK" "$SESSION_DIR/before.png"
wait_for 150 past_midnight || fail "midnight did not come"
wait_for 20 changed_since "$SESSION_DIR/before.png" || fail "midnight: the clock did not change"
check_against_fresh_clock "past midnight"
shot "past-midnight"
echo "PASS"
