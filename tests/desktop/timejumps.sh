# Faults caught: a clock that goes wrong when the time of day jumps while it runs (set forward, set back,
# a suspend, midnight): after each, the dial and the panel's long date and time must look exactly as those
# of a clock started afresh at the new time, photographed beside it at the same moment.

# Starts a clock showing minutes only at the right edge, at the height $1.
place_clock() {
    start_clock AutoHide=0 ViewSecond=0
    xdotool windowmove "$APP_WIN" 1000 "$1"
    at() { geometry && [ "$y" -eq "$1" ] && [ $((x + w)) -eq 1280 ]; }
    wait_for 30 at "$1" || fail "the clock did not settle at the right edge, y $1"
}
# The same with its panel open; sets WIN to its window.
open_clock() {
    place_clock "$1"
    WIN=$APP_WIN
    open_panel
}

# The dial and the two labels (the calendar stays on the day the clock started).
upper() { geometry "$1" && grab "${w}x$((h - 170))+$x+$y" "$2"; }
same_as_reference() {
    upper "$CLOCK" "$SESSION_DIR/clock.png" && upper "$REF" "$SESSION_DIR/ref.png" \
        && [ "$(pixels_differing "$SESSION_DIR/clock.png" "$SESSION_DIR/ref.png")" -eq 0 ]
}
# Checks the clock against a clock started now, then stops the latter.
check_against_fresh_clock() {
    APART=1 open_clock 560
    REF=$WIN
    wait_for 50 same_as_reference || {
        cp "$SESSION_DIR/clock.png" "$ARTIFACTS/timejumps-$1-clock.png"
        cp "$SESSION_DIR/ref.png" "$ARTIFACTS/timejumps-$1-fresh.png"
        fail "$1: the clock differs from a clock started at the new time"
    }
    stop_clock
}
changed_since_before() {
    upper "$CLOCK" "$SESSION_DIR/now.png" && [ "$(pixels_differing "$SESSION_DIR/before.png" "$SESSION_DIR/now.png")" -gt 0 ]
}
# Moves the time by $2 seconds and checks the clock ($1 names the jump).
jump() {
    upper "$CLOCK" "$SESSION_DIR/before.png"
    move_time "$2"
    wait_for 20 changed_since_before || fail "$1: the clock did not change"
    check_against_fresh_clock "$1"
}

scenario_timejumps() {
    CLOCK_ENV=("${FAKE_TIME[@]}")
    mkdir -p "$ARTIFACTS"
    xdotool mousemove 10 10
    set_time "2026-03-04 03:00:10"
    open_clock 0
    CLOCK=$WIN
    local clock_pid=$APP_PID
    jump forward $((3 * 3600 + 17 * 60))
    jump back -3600
    # A 10-minute suspend: the process stopped while the time moves on.
    kill -STOP "$clock_pid"
    upper "$CLOCK" "$SESSION_DIR/before.png"
    move_time 600
    kill -CONT "$clock_pid"
    wait_for 20 changed_since_before || fail "10-minute suspend: the clock did not change"
    local took=$SECONDS
    check_against_fresh_clock suspend
    took=$((SECONDS - took))
    # Before midnight by three times what a check took here (at least ten seconds): the date window and
    # the long date change at the first tick of the day.
    local margin=$((3 * took + 5 > 10 ? 3 * took + 5 : 10))
    set_time "@$(($(date -d '2026-03-05 00:00:00' +%s) - margin))"
    local midnight
    midnight=$(date -d '2026-03-05 00:00:00' +%s)
    past_midnight() { [ $(($(date +%s) + TIME_OFFSET)) -ge "$midnight" ]; }
    check_against_fresh_clock before-midnight
    ! past_midnight || fail "midnight came before the check; the machine is too slow for this test"
    upper "$CLOCK" "$SESSION_DIR/before.png"
    wait_for $((2 * margin + 30)) past_midnight || fail "midnight did not come"
    wait_for 20 changed_since_before || fail "midnight: the clock did not change"
    check_against_fresh_clock past-midnight
}

# Faults caught: a clock showing minutes only that keeps the old time zone when the zone file TZ names is
# re-pointed, or that does not dock at the new right edge and inside the new height after a resolution change.
scenario_zone_and_screen() {
    local clock
    mkdir "$SESSION_DIR/zone"
    ln -s /usr/share/zoneinfo/UTC "$SESSION_DIR/zone/localtime"
    set_time "2026-03-04 03:00:10 UTC"
    CLOCK_ENV=("${FAKE_TIME[@]}" "TZ=:$SESSION_DIR/zone/localtime")
    dial() { geometry "$1" && grab "${w}x${h}+$x+$y" "$2"; }
    place_clock 0
    clock=$APP_WIN
    dial "$clock" "$SESSION_DIR/utc.png"
    ln -sfn /usr/share/zoneinfo/Asia/Dhaka "$SESSION_DIR/zone/localtime"
    APART=1 place_clock 560
    same_as_fresh() { dial "$clock" "$SESSION_DIR/clock.png" && dial "$APP_WIN" "$SESSION_DIR/fresh.png" &&
        [ "$(pixels_differing "$SESSION_DIR/clock.png" "$SESSION_DIR/fresh.png")" -eq 0 ]; }
    wait_for 30 same_as_fresh || fail "zone change: the clock differs from one started in the new zone"
    [ "$(pixels_differing "$SESSION_DIR/utc.png" "$SESSION_DIR/clock.png")" -gt 0 ] || fail "zone change: nothing changed"

    xdotool windowmove "$clock" 1000 700
    xrandr --newmode 1024x768_t 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
    xrandr --addmode screen 1024x768_t
    xrandr --output screen --mode 1024x768_t
    redocked() { geometry "$clock" && [ $((x + w)) -eq 1024 ] && [ "$y" -eq $((768 - h)) ]; }
    wait_for 30 redocked || { xrandr -s 0; fail "resolution change: the clock is at $x,$y (${w}x$h), not docked in 1024x768"; }
    xrandr --output screen --mode 1280x1024
}
