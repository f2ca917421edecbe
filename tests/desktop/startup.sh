#!/usr/bin/env bash
# The clock starts on a real desktop: its window is mapped, has no title
# bar, and keeps the size the layout gives it.
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

# Within a second the timer docks it at the right edge of the screen.
wait_for 10 sh -c '[ $(($(xwininfo -id '"$APP_WIN"' | awk "/Absolute upper-left X/ {print \$4}") + 200)) -eq 1280 ]' \
    || fail "the window did not dock at the right edge"
shot "window"
echo "PASS"
