# Faults caught: a clock left minimised with a dialog of its own or by itself; dialogs that ask for a
# minimise or maximise box; a clock that stops answering its bar after a dialog's window is destroyed from
# outside; a frame that can be dragged below the minimum size, with the panel closed or open; a clock started
# above other windows that stays above them once unticked; a clock that can be maximised; a drag that does not
# carry a clock pressed as it comes out; a clock that slides away from its own open month menu; a hidden
# strip that another window covers and the pointer cannot bring out.

scenario_window_manager() {
    local y0 ABOUT='About Plomb Tickora 1.0' DIALOG
    start_clock AutoHide=0
    await_docked
    y0=$y
    viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
    back() { viewable "$APP_WIN" && docked && [ "$y" -eq "$y0" ]; }
    found() { DIALOG=$(window_named "$1"); [ -n "$DIALOG" ]; }
    focused() { [ "$(xdotool getwindowfocus)" = "$DIALOG" ]; }
    min_hint() { xprop -id "$APP_WIN" WM_NORMAL_HINTS | grep -q "minimum size: $1 by $2"; }
    open_about() {
        geometry
        xdotool mousemove $((x + 13)) $((y + 47)) click 1
        wait_for 50 found "$ABOUT" || fail "\"?\" did not open the About box"
    }
    # No minimise or maximise box or function (Motif functions 0x18, decorations 0x60).
    no_min_max() {
        local hints functions decorations
        hints=$(xprop -id "$DIALOG" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
        read -r _ functions decorations _ <<<"$hints"
        [ $((functions & 0x18)) -eq 0 ] && [ $((decorations & 0x60)) -eq 0 ] || fail "$1 asks for a minimise or maximise box: $hints"
    }
    open_about
    no_min_max "the About box"
    # Openbox offers to minimise it all the same, and takes its owner along: both come back at once.
    xdotool windowminimize "$DIALOG"
    wait_for 50 back || fail "minimising the About box left the clock minimised or moved ($x,$y)"
    wait_for 50 viewable "$DIALOG" || fail "the About box stayed minimised, its owner waiting for it"
    # Its window destroyed from outside: the clock answers its bar again.
    xdotool windowclose "$DIALOG"
    open_options
    found Opzioni
    no_min_max "\"Opzioni\""
    xdotool windowclose "$DIALOG"
    open_options
    found Opzioni
    wait_for 50 focused || fail "the second \"Opzioni\" did not take the keyboard"
    close_options alt+c
    open_about
    wait_for 50 focused || fail "the second About box did not take the keyboard"
    xdotool key Return
    wait_for 50 is_closed "$ABOUT" || fail "the second About box did not close on Enter"

    # The clock alone, minimised as by a shortcut.
    xdotool windowminimize "$APP_WIN"
    wait_for 50 back || fail "the minimised clock did not come back where it was ($x,$y)"

    # The frame's bottom edge dragged far up stops at the minimum (87 px, 1300 twips).
    wait_for 20 min_hint 100 87 || fail "the window manager is not told the minimum size"
    geometry
    xdotool mousemove $((x + w / 2)) $((y + h - 2)) mousedown 1
    for i in 1 2 3 4 5; do xdotool mousemove $((x + w / 2)) $((y + h - 2 - 40 * i)); done
    at_minimum() { geometry && [ "$h" -eq 87 ]; }
    wait_for 20 at_minimum || { xdotool mouseup 1; fail "resizing by the frame left the window ${h} px high"; }
    xdotool mouseup 1
    # With the panel open the minimum is 4000 twips high.
    xdotool mousemove $((x + 13)) $((y + 27)) click 1
    wait_for 20 min_hint 100 267 || fail "the minimum did not follow the open panel"
}

# The About box has no task-bar entry: transient for the clock, it asks to be left out of the task bar,
# and icewm, which lists transient windows too, shows no button for it.
scenario_about_off_task_bar() {
    local about buttons
    start_clock AutoHide=0
    await_docked
    task_buttons() { xwininfo -root -tree | awk '/"TaskPane"/ {print $1}' | xargs -r -n1 xwininfo -children -id \
        | grep -c '^ *0x' || true; }
    buttons=$(task_buttons)
    xdotool mousemove $((x + 13)) $((y + 47)) click 1
    wait_for 50 is_open "About Plomb Tickora 1.0" || fail "\"?\" did not open the About box"
    about=$(window_named "About Plomb Tickora 1.0")
    xprop -id "$about" WM_TRANSIENT_FOR | grep -q "$(printf '# 0x%x$' "$APP_WIN")" || fail "the About box is not transient for the clock"
    xprop -id "$about" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the About box does not ask to be left out of the task bar"
    # Framed by the window manager: any button for it is there by now.
    wait_for 50 sh -c "xprop -id $about _NET_FRAME_EXTENTS | grep -q '='" || fail "the About box was not framed"
    [ "$(task_buttons)" -eq "$buttons" ] || fail "the About box has a task-bar button of its own"
}

# Started above other windows (the default), the clock lets go as soon as "Sempre in primo piano" is
# unticked: a window raised over it then covers it.
scenario_on_top_at_start() {
    start_clock AutoHide=0
    await_docked
    local px=$((x + 22 + 87)) py=$((y + 64)) other
    covered() { [ "$(pixel "$px" "$py")" = 255,255,255 ]; }
    # Reaching below the clock, where it shows whatever the stacking.
    xclock -norender -bg white -fg white -hd white -hl white -geometry 150x250+$((x + 60))+$((y + 20)) &
    SCENARIO_PIDS+=($!)
    wait_for 50 is_open xclock || fail "xclock did not appear"
    other=$(window_named xclock)
    xdotool windowactivate "$other" windowraise "$other"
    shows() { geometry "$other" && [ "$(pixel $((x + 5)) $((y + h - 5)))" = 255,255,255 ]; }
    wait_for 50 shows || fail "xclock did not show"
    ! covered || fail "ticked at the start, the clock is covered by a window raised over it"
    open_options
    click_in_options 18 90
    close_options alt+o
    xdotool windowactivate "$other" windowraise "$other"
    wait_for 50 covered || fail "unticked, the clock stays above a window raised over it"
}

# Maximising from the window manager is refused, or undone at once: a request to maximise leaves the clock
# as it was (a state asked after it tells that it was handled); full screen, left, gives its place back.
scenario_no_maximise() {
    start_clock AutoHide=0
    await_docked
    local at="$x,$y,$w,$h"
    wmctrl -i -r "$APP_WIN" -b add,maximized_vert,maximized_horz
    wmctrl -i -r "$APP_WIN" -b add,skip_pager
    handled() { xprop -id "$APP_WIN" _NET_WM_STATE | grep -q SKIP_PAGER; }
    wait_for 50 handled || fail "the window manager did not handle the requests"
    same() { geometry && [ "$x,$y,$w,$h" = "$at" ]; }
    wait_for 20 same || fail "maximising changed the clock from $at to $x,$y,$w,$h"
    # Full screen is the user's to ask; left, the clock is back where and as it was.
    wmctrl -i -r "$APP_WIN" -b add,fullscreen
    full() { xprop -id "$APP_WIN" _NET_WM_STATE | grep -q FULLSCREEN && geometry && [ "$w" -eq 1280 ]; }
    wait_for 50 full || fail "the window manager did not make the clock full screen"
    wmctrl -i -r "$APP_WIN" -b remove,fullscreen
    back() { ! xprop -id "$APP_WIN" _NET_WM_STATE | grep -q FULLSCREEN && same; }
    wait_for 20 back || fail "out of full screen the clock is at $x,$y,$w,$h, not $at"
}

# The panel open, auto-hide on: the calendar's month menu, which hangs below the clock, keeps the clock
# out while the pointer is on it; closed, the pointer away, the clock hides.
scenario_popup_keeps_it_out() {
    start_clock
    show_clock
    xdotool mousemove $((x + 13)) $((y + 27)) click 1
    opened() { geometry && [ "$h" -gt 300 ]; }
    wait_for 50 opened || fail "\">\" did not open the panel"
    local menu before="$SESSION_DIR/item-before.png" after="$SESSION_DIR/item-after.png"
    xdotool mousemove $((x + 68)) $((y + 232)) click 1
    popup() { menu=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx "$APP_WIN" | head -n1); [ -n "$menu" ]; }
    wait_for 50 popup || fail "a click on the month's name did not open its menu"
    geometry "$menu"
    local my=$((y + h - 12)) mx=$((x + w / 2))
    grab "${w}x24+$x+$((my - 12))" "$before"
    xdotool mousemove "$mx" "$my"
    # The item under the pointer lights up once the clock has handled the pointer's move there.
    lit() { grab "${w}x24+$x+$((my - 12))" "$after" && [ "$(pixels_differing "$before" "$after")" -gt 50 ]; }
    wait_for 50 lit || fail "the menu item under the pointer did not light up"
    docked || fail "the clock slid away from its open month menu: x $x"
    xdotool key Escape
    xdotool mousemove 0 500
    away() { geometry "$APP_WIN" && [ "$x" -eq 1257 ]; }
    wait_for 50 away || fail "the menu closed and the pointer away, the clock did not hide: x $x"
}

# Not above other windows, the hidden clock's strip covered by another window: the pointer reaching the
# strip brings the clock out all the same.
scenario_covered_strip() {
    start_clock BringToFront=0
    xdotool mousemove 0 500
    hidden() { geometry && [ "$x" -eq 1257 ]; }
    wait_for 50 hidden || fail "the clock did not hide: x $x"
    local y0=$y other
    xclock -norender -bg white -fg white -hd white -hl white -geometry 200x300+1080+$((y0 - 40)) &
    SCENARIO_PIDS+=($!)
    wait_for 50 is_open xclock || fail "xclock did not appear"
    other=$(window_named xclock)
    xdotool windowactivate "$other" windowraise "$other"
    covered() { [ "$(pixel 1270 $((y0 + 100)))" = 255,255,255 ]; }
    wait_for 50 covered || fail "xclock does not cover the hidden strip"
    # Moved as a mouse moves it (not warped): onto the strip from the left.
    xdotool mousemove 1240 $((y0 + 100)) mousemove_relative 10 0 mousemove_relative 10 0 mousemove_relative 17 0
    wait_for 50 docked || fail "the pointer on the covered strip did not bring the clock out: x $x"
}

# Auto-hidden: the pointer flicked onto the strip presses on the bar at once and drags up, beyond the clock's
# top; the clock comes out and follows from the press on. The clock is held still while the pointer arrives,
# presses and moves, so that it meets all of it in one go, as a clock busy for a moment does.
scenario_drag_as_it_comes_out() {
    start_clock
    xdotool mousemove 0 500
    hidden() { geometry && [ "$x" -eq 1257 ]; }
    wait_for 50 hidden || fail "the clock did not hide: x $x"
    local y0=$y py=$((y + 120))
    kill -STOP "$APP_PID"
    # A stopped clock would outlive the scenario: it goes on whatever happens.
    xdotool mousemove 1268 "$py" mousedown 1 mousemove 1268 $((py - 75)) mousemove 1268 $((py - 150)) \
        || { kill -CONT "$APP_PID"; fail "xdotool could not press and drag"; }
    kill -CONT "$APP_PID"
    carried() { geometry && [ "$x,$y" = "$((1280 - w)),$((y0 - 150))" ]; }
    wait_for 50 carried || { xdotool mouseup 1; fail "the press did not bring the clock out and carry it up 150 px: $x,$y"; }
    xdotool mouseup 1
    wait_for 30 docked && [ "$y" -eq $((y0 - 150)) ] || fail "after the drag the clock is at $x,$y"
}
