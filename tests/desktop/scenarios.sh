# Faults caught: a clock that does not dock, hide, come back, follow a drag, tell the time, blend with the
# desktop, preview, save or cancel its options, or stay on top, as a user sees them; a first start
# without the default Options.dat or "X" that fails.

# First start: undecorated, 200 x 186 px, default Options.dat beside it, docked; "X" ends it, file unchanged.
scenario_first_start() {
    start_clock
    grep -q '= 0, 0, 0, 0' <<<"$(xprop -id "$APP_WIN" _NET_FRAME_EXTENTS)" || fail "the window manager decorates it"
    geometry
    [ "$w" -eq 200 ] && [ "$h" -eq 186 ] || fail "window size ${w}x$h, expected 200x186"
    wait_for 10 test -f "$APP_DIR/Options.dat" || fail "no Options.dat beside the program"
    cmp <(options_with) "$APP_DIR/Options.dat" || fail "Options.dat does not hold the defaults"
    at_edge() { docked || [ "$x" -eq 1257 ]; }
    wait_for 10 at_edge || fail "the window did not dock at the right edge: x $x"
    show_clock
    xdotool mousemove $((x + 4 + 9)) $((y + 4 + 4 + 7)) click 1
    ended() { ! kill -0 "$APP_PID" || grep -q '^State:.*zombie' "/proc/$APP_PID/status"; }
    wait_for 30 ended && wait "$APP_PID" || fail "\"X\" did not end the program with status 0"
    cmp <(options_with) "$APP_DIR/Options.dat" || fail "\"X\" changed Options.dat"
}

# The dial's centre: the dial is 174 x 178 px, right of the 18 px bar, in the 4 px frame.
dial_centre() { geometry && cx=$((x + 22 + 87)) && cy=$((y + 4 + 89)); }
rgb_is() {
    [[ $(pixel "$1" "$2") =~ ^([0-9]+),([0-9]+),([0-9]+)$ ]] || return 1
    local r=${BASH_REMATCH[1]} g=${BASH_REMATCH[2]} b=${BASH_REMATCH[3]}
    case $3 in
        red) ((r > 200 && g < 80 && b < 80)) ;;
        blue) ((r < 80 && g < 80 && b > 200)) ;;
        green) ((r < 80 && g > 200 && b < 80)) ;;
    esac
}

# At three o'clock the hour hand (0.65 of the 76 px radius) points right, the minute hand (0.8) up.
scenario_hands() {
    CLOCK_ENV=("${FAKE_TIME[@]}")
    set_time "2026-03-04 03:00:20"
    start_clock AutoHide=0
    await_docked
    dial_centre
    wait_for 20 rgb_is $((cx + 48)) "$cy" blue || fail "no hour hand at 3 o'clock: $(pixel $((cx + 48)) "$cy")"
    ! rgb_is $((cx + 52)) "$cy" blue || fail "the hour hand runs past its length"
    ! rgb_is $((cx - 48)) "$cy" blue || fail "an hour hand at 9 o'clock"
    rgb_is "$cx" $((cy - 59)) red || fail "no minute hand at 12: $(pixel "$cx" $((cy - 59)))"
    ! rgb_is "$cx" $((cy - 63)) red || fail "the minute hand runs past its length"
}

# The second hand shown or hidden ($2) at 01:$1:33, once the minute hand shows the new time: for
# seven seconds it crosses a square of the lower left quarter where nothing else is drawn.
second_hand() {
    set_time "2026-03-04 01:$1:33"
    dial_centre
    local mx my
    read -r mx my < <(awk -v m="$1" -v cx="$cx" -v cy="$cy" \
        'BEGIN { a = m * 6 * 3.14159265 / 180; printf "%d %d\n", cx + 40 * sin(a), cy - 40 * cos(a) }')
    wait_for 50 rgb_is "$mx" "$my" red || fail "the minute hand did not come to minute $1"
    inked() { grab "30x30+$((cx - 38))+$((cy + 8))" "$SESSION_DIR/quarter.png" \
        && [ "$(identify -format '%k' "$SESSION_DIR/quarter.png")" -gt 1 ]; }
    if [ "$2" = shown ]; then
        wait_for 50 inked || fail "no second hand at 01:$1:33"
    else
        ! inked || fail "a second hand at 01:$1:33"
    fi
}

# "Opzioni": unticking the second hand hides it at once, the clock staying put; OK writes the file
# with the older key names; ticked again it shows; Cancel brings back the file's state unwritten.
scenario_options() {
    CLOCK_ENV=("${FAKE_TIME[@]}")
    set_time "2026-03-04 01:10:33"
    start_clock AutoHide=1
    show_clock
    second_hand 10 shown
    local at="$x,$y"
    open_options
    click_in_options 18 298
    # Showing minutes only, a running clock reads the time again at the next minute: faketime's moves
    # are not clock sets the kernel tells of, so the time stays within the minute shown.
    second_hand 10 hidden
    geometry
    [ "$x,$y" = "$at" ] || fail "the clock moved from $at to $x,$y while the options were open"
    close_options alt+o
    cmp <(options_with ViewSecond=0 | sed 's/^ColorLancetSecond/ColorSecond/; s/^ColorLancetMinute/MinuteSecond/;
        s/^ColorLancetHour/HourSecond/') "$APP_DIR/Options.dat" || fail "OK did not save ViewSecond=0 as expected"
    cp "$APP_DIR/Options.dat" "$SESSION_DIR/after-ok"
    # The pointer was left where the dialog was: the clock hides, and comes out again for the user.
    show_clock
    open_options
    click_in_options 18 298
    second_hand 25 shown
    click_in_options 160 390
    wait_for 20 is_closed Opzioni || fail "Cancel did not close the options"
    cmp "$SESSION_DIR/after-ok" "$APP_DIR/Options.dat" || fail "Cancel wrote Options.dat"
    show_clock
    second_hand 25 hidden
    stop_clock
    restart_clock
    show_clock
    second_hand 25 hidden
}

# A malformed Translucent gives an opaque face; with 128 the face is half its colour, half blue.
scenario_opacity() {
    face_colour() {
        dial_centre
        import -silent -window root -crop "20x20+$((cx - 45))+$((cy + 20))" -depth 8 txt:- \
            | sed -n '2,$s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | sort | uniq -c | sort -rn \
            | head -n1 | sed 's/^ *[0-9]* //'
    }
    start_clock AutoHide=0 Translucent=1x
    await_docked
    local r g b tr tg tb
    read -r r g b < <(face_colour)
    [ "$r,$g,$b" != "0,0,255" ] || fail "the opaque window shows the desktop"
    stop_clock
    start_clock AutoHide=0 Translucent=128
    await_docked
    near() { [ $(($1 - $2)) -le 6 ] && [ $(($2 - $1)) -le 6 ]; }
    translucent() {
        read -r tr tg tb < <(face_colour)
        near "$tr" $((r * 128 / 255)) && near "$tg" $((g * 128 / 255)) && near "$tb" $(((b * 128 + 255 * 127) / 255))
    }
    wait_for 20 translucent || fail "the face reads $tr,$tg,$tb with Translucent=128 over blue, opaque $r,$g,$b"
}

# Auto-hide: the pointer away, the window leaves the bar plus 70 twips (x 1257) or 70 twips (x 1275);
# the pointer on the strip brings it back.
scenario_autohide() {
    check_hiding() {
        at_hidden_x() { geometry && [ "$x" -eq "$1" ]; }
        xdotool mousemove 0 500
        wait_for 10 at_hidden_x "$@" || fail "pointer away, x is $x, expected $*"
        [ "$(pixel 1279 $((y + 100)))" != 0,0,255 ] || fail "nothing of the window is left on the screen"
        xdotool mousemove 1279 $((y + 50))
        wait_for 10 docked || fail "the pointer on the strip did not bring the window back (x $x)"
        xdotool mousemove 0 500
        wait_for 10 at_hidden_x "$@" || fail "the window did not hide again (x $x)"
    }
    start_clock
    check_hiding 1257
    stop_clock
    start_clock HideBar=1
    check_hiding 1275
}

# Dragged by the bar, the window follows; it stays where it is dragged up and down only.
scenario_drag() {
    start_clock AutoHide=0
    await_docked
    local x0=$x y0=$y
    drag_bar() {
        local px=$((x + 4 + 9)) py=$((y + 120)) i
        xdotool mousemove "$px" "$py" mousedown 1
        for i in 1 2 3 4 5; do xdotool mousemove $((px + $1 * i / 5)) $((py + $2 * i / 5)); done
        at() { geometry && [ "$x,$y" = "$((x0 + $1)),$((y0 + $2))" ]; }
        wait_for 10 at "$@" || { xdotool mouseup 1; fail "the drag did not carry the window by $1,$2: $x,$y"; }
        xdotool mouseup 1
    }
    drag_bar 0 100
    wait_for 5 docked && [ "$y" -eq $((y0 + 100)) ] || fail "after a drag down the window is at $x,$y"
    y0=$y
    drag_bar -150 0
    wait_for 10 docked && [ "$y" -eq "$y0" ] || fail "a sideways drag was not undone: $x,$y"
}

# "Sempre in primo piano" ticked lifts the clock above a window at once, unticked lets it be covered; no move or remap.
scenario_on_top() {
    start_clock AutoHide=0 BringToFront=0
    await_docked
    local at="$x,$y" px=$((x + 22 + 87)) py=$((y + 64)) other
    above() { xprop -id "$APP_WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
    ! above || fail "always on top with BringToFront=0 in the file"
    # The point is inside the dial, where a hand may be passing; the face
    # and the hands are never the other window's white.
    covered() { [ "$(pixel "$px" "$py")" = 255,255,255 ]; }
    uncovered() { ! covered; }
    uncovered || fail "the dial is white where the other window will be"
    stdbuf -oL xev -id "$APP_WIN" -event structure >"$SESSION_DIR/xev.log" 2>&1 &
    SCENARIO_PIDS+=($!)
    xclock -bg white -fg white -hd white -hl white -geometry 150x150+$((x + 60))+$((y + 20)) &
    SCENARIO_PIDS+=($!)
    wait_for 50 is_open xclock || fail "xclock did not appear"
    other=$(window_named xclock)
    xdotool windowraise "$other"
    wait_for 20 covered || fail "with BringToFront=0 a window raised over the clock does not cover it"
    open_options
    click_in_options 18 90
    wait_for 20 above && wait_for 20 uncovered || fail "ticked, the clock stays under the other window"
    close_options alt+o
    [ "$(sed -n 2p "$APP_DIR/Options.dat")" = $'BringToFront=1\r' ] || fail "line 2 is not BringToFront=1"
    open_options
    click_in_options 18 90
    close_options alt+o
    xdotool windowraise "$other"
    wait_for 20 covered || fail "unticked, a window raised over the clock does not cover it"
    geometry
    [ "$x,$y" = "$at" ] || fail "the clock moved from $at to $x,$y"
    ! grep -E 'UnmapNotify|DestroyNotify|ReparentNotify' "$SESSION_DIR/xev.log" || fail "the window was recreated"
}
