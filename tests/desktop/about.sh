#!/usr/bin/env bash
# The About box: "?" opens it with its caption, the picture is animated,
# Escape leaves it open and Alt+O closes it.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 >"$SESSION_DIR/Options.dat"
start_clock --options "$SESSION_DIR/Options.dat"

geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
wait_for 20 docked || fail "the clock did not dock at the right edge: x $x"

title="About Plomb Tickora 1.0"
opened() { [ -n "$(window_named "$title")" ]; }
# "?" is the third button of the bar, 14 px high at y 36 of the client area.
xdotool mousemove $((x + 4 + 9)) $((y + 4 + 43)) click 1
wait_for 30 opened || fail "\"?\" did not open \"$title\""
box=$(window_named "$title")
read -r bx by bw bh < <(window_geometry "$box")
echo "About box at $bx,$by size ${bw}x$bh"
# The box takes the keyboard, as a modal dialog does.
focused() { [ "$(xdotool getwindowfocus)" = "$box" ]; }
wait_for 20 focused || fail "the About box does not have the keyboard focus"

# The animation: 2955 x 2295 twips (197 x 153 px) at 120, 840 twips.
gif="197x153+$((bx + 8))+$((by + 56))"
grab "$gif" "$SESSION_DIR/first.png"
changed() {
    grab "$gif" "$SESSION_DIR/next.png"
    [ "$(pixels_differing "$SESSION_DIR/first.png" "$SESSION_DIR/next.png")" -gt 0 ]
}
wait_for 20 changed || fail "the About box's picture does not move"
[ "$(identify -format '%k' "$SESSION_DIR/first.png")" -gt 4 ] || fail "the About box's picture area is empty"
cp "$SESSION_DIR/first.png" "$ARTIFACTS/about-gif-first.png"
cp "$SESSION_DIR/next.png" "$ARTIFACTS/about-gif-next.png"
shot "box"

# Escape is no way out: no button is the cancel button. Half a second is
# ample for a dialog to close.
xdotool key Escape
still_open() {
    local until=$(($(date +%s%N) + 500000000))
    while [ "$(date +%s%N)" -lt "$until" ]; do opened || return 1; sleep 0.1; done
}
still_open || fail "Escape closed the About box"

xdotool key alt+o
closed() { ! opened; }
wait_for 20 closed || fail "Alt+O did not close the About box"
geometry
[ $((x + w)) -eq 1280 ] || fail "the clock left the right edge: x $x"
echo "PASS"
