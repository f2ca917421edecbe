#!/usr/bin/env bash
# What the window manager and other programs can do to the clock's windows:
# minimise them, resize the clock by its frame, destroy a dialog's window.
# The clock stays on screen, docked, no smaller than its minimum, and
# answers its bar afterwards.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 >"$SESSION_DIR/Options.dat"
start_clock --options "$SESSION_DIR/Options.dat"

geometry() { read -r x y w h < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
back() { viewable "$APP_WIN" && docked && [ "$y" -eq "$y0" ]; }
found() { DIALOG=$(window_named "$1"); [ -n "$DIALOG" ]; }
focused() { [ "$(xdotool getwindowfocus)" = "$DIALOG" ]; }
gone() { [ -z "$(window_named "$1")" ]; }
min_hint() { xprop -id "$APP_WIN" WM_NORMAL_HINTS | grep -q "minimum size: $1 by $2"; }
wait_for 20 docked || fail "the clock did not dock at the right edge"
y0=$y
ABOUT='About Plomb Tickora 1.0'
open_about() {
    xdotool mousemove $((x + 13)) $((y + 47)) click 1
    wait_for 50 found "$ABOUT" || fail "\"?\" did not open the About box"
}
open_options() {
    xdotool mousemove $((x + 13)) $((y + 120)) click 3
    wait_for 50 found Opzioni || fail "a right click on the bar did not open \"Opzioni\""
}

# A dialog asks for neither a minimise nor a maximise box or function
# (Motif hints: functions 0x8 and 0x10, decorations 0x20 and 0x40).
no_min_max() {
    local hints
    hints=$(xprop -id "$DIALOG" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
    read -r _ functions decorations _ <<<"$hints"
    [ $((functions & 0x18)) -eq 0 ] && [ $((decorations & 0x60)) -eq 0 ] || fail "$1 asks for a minimise or maximise box: $hints"
}
open_about
no_min_max "the About box"
# Openbox offers to minimise it all the same, and takes its owner along:
# both come back at once.
xdotool windowminimize "$DIALOG"
wait_for 50 back || fail "minimising the About box left the clock minimised or moved ($x,$y)"
wait_for 50 viewable "$DIALOG" || fail "the About box stayed minimised, its owner waiting for it"
shot "about-minimised"
# Its window destroyed from outside: the clock answers its bar again.
xdotool windowclose "$DIALOG"
open_options
no_min_max "\"Opzioni\""
xdotool windowclose "$DIALOG"
open_options
wait_for 50 focused || fail "the second \"Opzioni\" did not take the keyboard"
xdotool key alt+c
wait_for 50 gone Opzioni || fail "the second \"Opzioni\" did not close by its Cancel (Alt+C)"
open_about
wait_for 50 focused || fail "the second About box did not take the keyboard"
xdotool key Return
wait_for 50 gone "$ABOUT" || fail "the second About box did not close on Enter"

# The clock alone, minimised as by a shortcut.
xdotool windowminimize "$APP_WIN"
wait_for 50 back || fail "the minimised clock did not come back where it was ($x,$y)"

# The frame's bottom edge dragged far up: the window manager knows the
# minimum (87 px high, 1300 twips) and stops there while the button is held.
wait_for 20 min_hint 100 87 || fail "the window manager is not told the minimum size"
geometry
xdotool mousemove $((x + w / 2)) $((y + h - 2)) mousedown 1
for i in 1 2 3 4 5; do
    xdotool mousemove $((x + w / 2)) $((y + h - 2 - 40 * i))
done
at_minimum() { geometry && [ "$h" -eq 87 ]; }
wait_for 20 at_minimum || { xdotool mouseup 1; fail "resizing by the frame left the window ${h} px high"; }
xdotool mouseup 1
shot "squashed"
# With the panel open the minimum is 4000 twips high.
xdotool mousemove $((x + 13)) $((y + 27)) click 1
wait_for 20 min_hint 100 267 || fail "the minimum did not follow the open panel"
echo "PASS"
