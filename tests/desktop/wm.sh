# Faults caught: a clock left minimised with a dialog of its own or by itself; dialogs that ask for a
# minimise or maximise box; a clock that stops answering its bar after a dialog's window is destroyed from
# outside; a frame that can be dragged below the minimum size, with the panel closed or open.

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
