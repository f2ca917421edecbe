#!/usr/bin/env bash
# The window by the mouse: dragging the bar moves it up and down only (the
# next tick docks it again), ">" unfolds the calendar panel and folds it,
# and the frame resizes it.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 >"$SESSION_DIR/Options.dat"
start_clock --options "$SESSION_DIR/Options.dat"

geometry() { read -r x y w h < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
wait_for 20 docked || fail "the clock did not dock at the right edge"
x0=$x
y0=$y

# Drags the bar by dx, dy in steps, the button held; the position is checked
# while it is still held.
drag_bar() {
    local dx=$1 dy=$2 px=$((x + 4 + 9)) py=$((y + 120)) i
    xdotool mousemove "$px" "$py" mousedown 1
    for i in 1 2 3 4 5; do
        xdotool mousemove $((px + dx * i / 5)) $((py + dy * i / 5))
    done
    at() { geometry && [ "$x" -eq "$1" ] && [ "$y" -eq "$2" ]; }
    wait_for 10 at $((x0 + dx)) $((y0 + dy)) || { xdotool mouseup 1; fail "the drag did not carry the window to $((x0 + dx)),$((y0 + dy)): $x,$y"; }
    xdotool mouseup 1
}

# Down by 100 px: the window follows and stays there, still docked.
drag_bar 0 100
shot "dragged-down"
wait_for 5 docked || fail "the window left the right edge after a vertical drag: x $x"
geometry
[ "$y" -eq $((y0 + 100)) ] || fail "after the drag y is $y, expected $((y0 + 100))"
y0=$y

# Sideways by 150 px: the window follows while the button is held (the
# timer is off), and the next tick docks it again at the same height.
drag_bar -150 0
wait_for 10 docked || fail "a sideways drag was not undone: x $x"
[ "$y" -eq "$y0" ] || fail "the sideways drag changed y to $y"

# ">" unfolds the panel: 5730 twips (382 px) high, 211 px wide to fit the
# calendar, still docked at the right edge.
xdotool mousemove $((x + 4 + 9)) $((y + 4 + 23)) click 1
unfolded() { geometry && [ "$w" -eq 211 ] && [ "$h" -eq 382 ] && [ $((x + w)) -eq 1280 ]; }
wait_for 10 unfolded || fail "\">\" did not open the calendar: ${w}x$h at x $x"
shot "calendar"
# The panel below the dial is drawn: its area is not the plain face colour.
grab "200x190+$((x + 4))+$((y + 190))" "$SESSION_DIR/panel.png"
colours=$(identify -format '%k' "$SESSION_DIR/panel.png")
[ "$colours" -gt 10 ] || fail "the calendar panel looks empty ($colours colours)"

# Again: the window shrinks back to the dial as laid out while open: 2680
# twips (179 px) plus 120 twips, 187 px; the width stays as the panel set it.
xdotool mousemove $((x + 4 + 9)) $((y + 4 + 23)) click 1
folded() { geometry && [ "$w" -eq 211 ] && [ "$h" -eq 187 ]; }
wait_for 10 folded || fail "\">\" again did not fold the calendar: ${w}x$h"
wait_for 10 docked || fail "the folded window is not docked: x $x"
shot "folded"

# The frame's bottom-left corner resizes the window (through the window
# manager); the next tick docks the larger window at the right edge again.
geometry
w0=$w
h0=$h
xdotool mousemove $((x + 1)) $((y + h - 2)) mousedown 1
for i in 1 2 3 4 5; do
    xdotool mousemove $((x + 1 - 12 * i)) $((y + h - 2 + 12 * i))
done
xdotool mouseup 1
grown() { geometry && [ "$w" -ge $((w0 + 50)) ] && [ "$h" -ge $((h0 + 50)) ] && [ $((x + w)) -eq 1280 ]; }
wait_for 20 grown || fail "dragging the frame's corner did not resize the window: ${w}x$h at x $x"
shot "resized"
echo "PASS"
