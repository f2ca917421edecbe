#!/usr/bin/env bash
# The clock follows a new time zone and a new screen resolution while it
# runs, showing minutes only (no second hand, panel closed): the zone file
# that TZ names is re-pointed from UTC to Asia/Dhaka (UTC+6), and the dial
# must look as that of a clock started afresh in the new zone; the screen
# goes from 1280x1024 to 1024x768, and the clock must dock at the new
# right edge, inside the new height.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 ViewSecond=0 >"$SESSION_DIR/Options.dat"
mkdir "$SESSION_DIR/zone"
ln -s /usr/share/zoneinfo/UTC "$SESSION_DIR/zone/localtime"
# 03:00:10 UTC, going on from there; the offset holds in any zone.
echo "+$(($(date -u -d '2026-03-04 03:00:10' +%s) - $(date +%s)))" >"$SESSION_DIR/faketime.rc"
ENV=("LD_PRELOAD=$(find /usr/lib -name libfaketime.so.1 -print -quit)" "FAKETIME_TIMESTAMP_FILE=$SESSION_DIR/faketime.rc"
     FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 "TZ=:$SESSION_DIR/zone/localtime")

# Starts a clock and moves it to the given height; sets WIN to its window.
# Each clock has a runtime folder of its own, or the second would hand over
# to the first.
open_clock() {
    start_clock --options "$SESSION_DIR/Options.dat" "${ENV[@]}" XDG_RUNTIME_DIR="$(mktemp -d "$SESSION_DIR/run.XXXXXX")"
    WIN=$APP_WIN
    xdotool windowmove "$WIN" 1000 "$1"
    at() { read -r x y w h < <(window_geometry "$WIN") && [ "$y" -eq "$1" ] && [ $((x + w)) -eq 1280 ]; }
    wait_for 30 at "$1" || fail "the clock did not settle at the right edge, y $1"
}
dial() { read -r x y w h < <(window_geometry "$1") && grab "${w}x${h}+$x+$y" "$2"; }

open_clock 0
CLOCK=$WIN
dial "$CLOCK" "$SESSION_DIR/utc.png"
ln -sfn /usr/share/zoneinfo/Asia/Dhaka "$SESSION_DIR/zone/localtime"
open_clock 560
same_as_fresh() { dial "$CLOCK" "$SESSION_DIR/clock.png" && dial "$WIN" "$SESSION_DIR/fresh.png" &&
    [ "$(pixels_differing "$SESSION_DIR/clock.png" "$SESSION_DIR/fresh.png")" -eq 0 ]; }
wait_for 30 same_as_fresh || fail "zone change: the clock differs from one started in the new zone"
[ "$(pixels_differing "$SESSION_DIR/utc.png" "$SESSION_DIR/clock.png")" -gt 0 ] || fail "zone change: nothing changed"
echo "zone change: right"

xdotool windowmove "$CLOCK" 1000 700
xrandr --newmode 1024x768_t 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
xrandr --addmode screen 1024x768_t
xrandr --output screen --mode 1024x768_t
redocked() { read -r x y w h < <(window_geometry "$CLOCK") && [ $((x + w)) -eq 1024 ] && [ "$y" -eq $((768 - h)) ]; }
wait_for 30 redocked || fail "resolution change: the clock is at $x,$y (${w}x$h), not docked in 1024x768"
shot "1024x768"
echo "PASS"
