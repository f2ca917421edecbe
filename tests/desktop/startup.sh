#!/usr/bin/env bash
# First start on a real desktop: the default Options.dat appears beside the
# program, the window docks at the right edge without a title bar and stays
# above other windows, and "X" ends the program leaving the file as it was.
. "$(dirname "$0")/session.sh"
start_session
start_clock

read -r x y w h < <(window_geometry "$APP_WIN")
echo "window at $x,$y size ${w}x$h"

# No title bar or border from the window manager.
extents=$(xprop -id "$APP_WIN" _NET_FRAME_EXTENTS)
echo "$extents"
grep -q '= 0, 0, 0, 0' <<<"$extents" || fail "the window manager decorates the window: $extents"

# The client area is 2880 x 2670 twips (192 x 178 px) inside a 4 px frame.
[ "$w" -eq 200 ] && [ "$h" -eq 186 ] || fail "window size ${w}x$h, expected 200x186"

# The settings file, written at the first start with the default values.
printf '%s\r\n' Translucent=255 BringToFront=1 AutoHide=1 HideBar=0 ViewDate=1 ViewBorder=1 \
    BorderWidth=4 ColorBorder=12632256 ViewTextHours=1 ColorTextHours=0 ViewSecond=1 \
    ColorLancetSecond=0 ColorLancetMinute=255 ColorLancetHour=16711680 >"$SESSION_DIR/defaults"
wait_for 10 test -f "$APP_DIR/Options.dat" || fail "no Options.dat beside the program"
cmp "$SESSION_DIR/defaults" "$APP_DIR/Options.dat" || fail "Options.dat does not hold the defaults"
cp "$APP_DIR/Options.dat" "$SESSION_DIR/at-start"

# It docks at the right edge of the screen as it shows. Auto-hide
# is on by default and the pointer (at the screen's centre) is away, so it
# slides out to the bar plus 70 twips: 19200 - 270 - 70
# twips = 1257.3 px, placed at 1257.
at_edge() {
    read -r x y w h < <(window_geometry "$APP_WIN")
    [ $((x + w)) -eq 1280 ] || [ "$x" -eq 1257 ]
}
wait_for 10 at_edge || fail "the window did not dock at the right edge: x $x, width $w"

# The pointer on the strip brings the whole window back.
xdotool mousemove 1276 $((y + 50))
docked() { read -r x y w h < <(window_geometry "$APP_WIN") && [ $((x + w)) -eq 1280 ]; }
wait_for 10 docked || fail "the window did not come back under the pointer: x $x"
shot "window"

# Always on top: another window raised over the clock stays below it. The
# bar's pixel must read the same before and after.
bar_x=$((x + 4 + 9))
bar_y=$((y + 100))
bar=$(pixel "$bar_x" "$bar_y")
xclock -bg white -fg white -hd white -hl white -geometry 150x150+$((x - 60))+$((y + 20)) &
SESSION_PIDS+=($!)
wait_for 50 xdotool search --onlyvisible --name '^xclock$' || fail "xclock did not appear"
other=$(xdotool search --onlyvisible --name '^xclock$' | head -n1)
xdotool windowraise "$other"
read -r ox oy ow oh < <(window_geometry "$other")
[ "$ox" -lt "$bar_x" ] && [ $((ox + ow)) -gt "$bar_x" ] && [ "$oy" -lt "$bar_y" ] && [ $((oy + oh)) -gt "$bar_y" ] \
    || fail "xclock at $ox,$oy ${ow}x$oh does not cover the bar's pixel $bar_x,$bar_y"
# The other window is drawn: a pixel of it outside the clock is white.
drawn() { [ "$(pixel $((ox + 10)) $((oy + 10)))" = 255,255,255 ]; }
wait_for 20 drawn || fail "xclock is not drawn: $(pixel $((ox + 10)) $((oy + 10)))"
shot "always-on-top"
p=$(pixel "$bar_x" "$bar_y")
echo "bar pixel before $bar, with xclock raised $p"
[ "$p" = "$bar" ] || fail "a window raised over the clock covers it: $p instead of $bar"

# "X" ends the program at once with status 0 and saves nothing.
xdotool mousemove $((x + 4 + 9)) $((y + 4 + 4 + 7)) click 1
ended() { [ ! -e "/proc/$APP_PID" ] || grep -q '^State:.*zombie' "/proc/$APP_PID/status"; }
wait_for 10 ended || fail "the program did not end within a second of \"X\""
status=0
wait "$APP_PID" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
cmp "$SESSION_DIR/at-start" "$APP_DIR/Options.dat" || fail "\"X\" changed Options.dat"
echo "PASS"
