#!/usr/bin/env bash
# The options dialog: a right click on the bar opens "Opzioni" while the
# clock stays where it is; unticking the second hand hides it at once; OK
# writes the file, which the next start reads; Cancel brings back the file's
# state on the screen.
. "$(dirname "$0")/session.sh"
start_session
start_clock

geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
# Auto-hide is on: the pointer on the bar keeps the window shown.
show_clock() {
    geometry
    xdotool mousemove 1277 $((y + 120))
    wait_for 20 docked || fail "the clock did not come to the right edge: x $x"
}
show_clock

# The dial: 174 x 178 px right of the bar, inside the 4 px frame.
dial_png() { grab "174x178+$((x + 22))+$((y + 4))" "$SESSION_DIR/$1.png"; }
# The second hand moves: the dial changes within a little more than a second.
dial_moves() {
    dial_png first
    changed() { dial_png next && [ "$(pixels_differing "$SESSION_DIR/first.png" "$SESSION_DIR/next.png")" -gt 0 ]; }
    wait_for 15 changed
}
# No second hand: the dial stays the same for 1.1 s (a second hand would
# have moved on in that time).
dial_still() {
    local until=$(($(date +%s%N) + 1100000000))
    dial_png first
    while :; do
        local now
        now=$(date +%s%N)
        dial_png next
        [ "$(pixels_differing "$SESSION_DIR/first.png" "$SESSION_DIR/next.png")" -eq 0 ] || return 1
        [ "$now" -lt "$until" ] || return 0
    done
}

# Opens the options with a right click on the bar and moves the dialog off
# the clock, as a user who wants to watch the preview would. Sets dx, dy (the
# dialog's client area).
open_options() {
    local bar_x=$((x + 4 + 9)) bar_y=$((y + 120)) bar
    bar=$(pixel "$bar_x" "$bar_y")
    xdotool mousemove "$bar_x" "$bar_y" click 3
    opened() { [ -n "$(window_named Opzioni)" ]; }
    wait_for 30 opened || fail "a right click on the bar did not open \"Opzioni\""
    dialog=$(window_named Opzioni)
    # Where it opens over the clock, it is in front of it.
    read -r dx dy dw dh < <(window_geometry "$dialog")
    if [ "$dx" -le "$bar_x" ] && [ $((dx + dw)) -gt "$bar_x" ] && [ "$dy" -le "$bar_y" ] && [ $((dy + dh)) -gt "$bar_y" ]; then
        in_front() { [ "$(pixel "$bar_x" "$bar_y")" != "$bar" ]; }
        wait_for 20 in_front || fail "the options dialog opened behind the clock"
        shot "dialog-opened"
    fi
    beside() { read -r dx dy _ _ < <(window_geometry "$dialog") && [ "$dx" -lt 1000 ]; }
    wait_for 20 beside || fail "the dialog did not open beside the clock"
}
clicked_in_dialog() { xdotool mousemove $((dx + $1)) $((dy + $2)) click 1; }
# Places in the dialog's client area: the second-hand check box (12, 292 px),
# OK (44, 380 px) and Cancel (124, 380 px), each 73 x 21 px.
SECOND_BOX=(18 298)
CANCEL=(160 390)
closed() { [ -z "$(window_named Opzioni)" ]; }
same_place() { geometry && [ "$x" -eq "$1" ] && [ "$y" -eq "$2" ]; }

dial_moves || fail "the second hand does not move at the start"
x0=$x
y0=$y
open_options
# The pointer is now far from the clock: a running timer would hide it.
clicked_in_dialog "${SECOND_BOX[@]}"
shot "second-hand-off"
wait_for 3 dial_still || fail "unticking the second hand did not stop it"
same_place "$x0" "$y0" || fail "the clock moved while the options were open: $x,$y"

xdotool key alt+o
wait_for 20 closed || fail "Alt+O did not close the options"
tr -d '\r' <"$APP_DIR/Options.dat" >"$SESSION_DIR/saved.txt"
[ "$(sed -n 11p "$SESSION_DIR/saved.txt")" = "ViewSecond=0" ] || fail "line 11 is not ViewSecond=0"
[ "$(sed -n 12p "$SESSION_DIR/saved.txt")" = "ColorSecond=0" ] || fail "line 12 is not ColorSecond=0"
[ "$(sed -n 13p "$SESSION_DIR/saved.txt")" = "MinuteSecond=255" ] || fail "line 13 is not MinuteSecond=255"
[ "$(sed -n 14p "$SESSION_DIR/saved.txt")" = "HourSecond=16711680" ] || fail "line 14 is not HourSecond=16711680"
[ "$(wc -l <"$APP_DIR/Options.dat")" -eq 14 ] && [ "$(grep -c $'\r$' "$APP_DIR/Options.dat")" -eq 14 ] \
    || fail "Options.dat is not fourteen CR LF lines"
cp "$APP_DIR/Options.dat" "$SESSION_DIR/after-ok"
show_clock
wait_for 3 dial_still || fail "the second hand is back after OK"

# Cancel after ticking the box again: the hand shows while the dialog is
# open, and the file's state (no second hand) returns once it closes.
open_options
clicked_in_dialog "${SECOND_BOX[@]}"
dial_moves || fail "ticking the box did not show the second hand"
clicked_in_dialog "${CANCEL[@]}"
wait_for 20 closed || fail "Cancel did not close the options"
cmp "$SESSION_DIR/after-ok" "$APP_DIR/Options.dat" || fail "Cancel wrote Options.dat"
show_clock
wait_for 3 dial_still || fail "Cancel left the second hand on the dial"

# A second run from the same folder starts without the second hand.
kill "$APP_PID"
wait "$APP_PID" || true
restart_clock
show_clock
shot "second-run"
wait_for 3 dial_still || fail "the second run shows the second hand"
echo "PASS"
