#!/usr/bin/env bash
# "Sempre in primo piano": ticked in the dialog the clock comes above another
# window at once; unticked, another window raised over the clock covers it.
# Neither change unmaps, recreates or moves the clock's window.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 BringToFront=0 >"$SESSION_DIR/Options.dat"
start_clock --options "$SESSION_DIR/Options.dat"

geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
wait_for 20 docked || fail "the clock did not dock at the right edge: x $x"
x0=$x
y0=$y
above() { xprop -id "$APP_WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
above && fail "always on top with BringToFront=0 in the file"

# Everything that happens to the clock's window from now on.
stdbuf -oL xev -id "$APP_WIN" -event structure >"$SESSION_DIR/xev.log" 2>&1 &
watcher=$!
SESSION_PIDS+=("$watcher")

# A white window over the dial (the bar stays free for the right click).
dial_x=$((x + 22 + 87))
dial_y=$((y + 4 + 60))
face=$(pixel "$dial_x" "$dial_y")
xclock -bg white -fg white -hd white -hl white -geometry 150x150+$((x + 60))+$((y + 20)) &
SESSION_PIDS+=($!)
shown() { xdotool search --onlyvisible --name '^xclock$'; }
wait_for 50 shown || fail "xclock did not appear"
other=$(xdotool search --onlyvisible --name '^xclock$' | head -n1)
xdotool windowraise "$other"
covered() { [ "$(pixel "$dial_x" "$dial_y")" = 255,255,255 ]; }
wait_for 20 covered || fail "with BringToFront=0 a window raised over the clock does not cover it: $(pixel "$dial_x" "$dial_y")"
shot "covered"

open_options() {
    xdotool mousemove $((x + 4 + 9)) $((y + 120)) click 3
    opened() { [ -n "$(window_named Opzioni)" ]; }
    wait_for 30 opened || fail "a right click on the bar did not open \"Opzioni\""
    dialog=$(window_named Opzioni)
    beside() { read -r dx dy _ _ < <(window_geometry "$dialog") && [ "$dx" -lt 1000 ]; }
    wait_for 20 beside || fail "the dialog did not open beside the clock"
}
closed() { [ -z "$(window_named Opzioni)" ]; }
# "&Sempre in primo piano" in the dialog's client area: 12, 84 px.
toggle_on_top() { xdotool mousemove $((dx + 18)) $((dy + 90)) click 1; }
shows_face() { [ "$(pixel "$dial_x" "$dial_y")" = "$face" ]; }

# Ticked: the clock comes above xclock at once, while the dialog is open.
open_options
toggle_on_top
wait_for 20 above || fail "ticking the box did not put the clock on top"
wait_for 20 shows_face || fail "ticked, the clock stays under xclock: $(pixel "$dial_x" "$dial_y")"
shot "on-top"
xdotool key alt+o
wait_for 20 closed || fail "Alt+O did not close the options"
[ "$(sed -n 2p "$APP_DIR/Options.dat")" = $'BringToFront=1\r' ] || fail "line 2 is not BringToFront=1"

# Unticked: the clock leaves the top layer; xclock raised again covers it.
open_options
toggle_on_top
not_above() { ! above; }
wait_for 20 not_above || fail "unticking the box left the clock on top"
xdotool key alt+o
wait_for 20 closed || fail "Alt+O did not close the options"
[ "$(sed -n 2p "$APP_DIR/Options.dat")" = $'BringToFront=0\r' ] || fail "line 2 is not BringToFront=0"
xdotool windowraise "$other"
wait_for 20 covered || fail "unticked, a window raised over the clock does not cover it: $(pixel "$dial_x" "$dial_y")"
shot "not-on-top"

geometry
[ "$x" -eq "$x0" ] && [ "$y" -eq "$y0" ] || fail "the clock moved from $x0,$y0 to $x,$y"
kill -0 "$watcher" || fail "the watch on the clock's window ended early"
grep -E 'UnmapNotify|DestroyNotify|ReparentNotify' "$SESSION_DIR/xev.log" \
    && fail "the clock's window was unmapped or recreated by the change"
echo "PASS"
