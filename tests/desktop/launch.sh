#!/usr/bin/env bash
# Starting the clock. On a Wayland session (weston, headless, with XWayland)
# it goes through XWayland by itself and comes up docked at the right edge.
# A clock killed outright does not stop the next start; a second start
# brings the running clock out of hiding and above another window, and ends
# with status 0.
. "$(dirname "$0")/session.sh"
start_session
options_with BringToFront=0 >"$SESSION_DIR/Options.dat"

# --- A Wayland session ----------------------------------------------------
wayland="$SESSION_DIR/wayland"
mkdir -m 700 "$wayland"
XDG_RUNTIME_DIR="$wayland" weston --backend=headless-backend.so --socket=wl-tickora --xwayland --idle-time=0 \
    >"$SESSION_DIR/weston.log" 2>&1 &
SESSION_PIDS+=($!)
xwayland() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$SESSION_DIR/weston.log"; }
wait_for 100 grep -q 'listening on display' "$SESSION_DIR/weston.log" || { cat "$SESSION_DIR/weston.log" >&2; fail "weston did not start XWayland"; }
# The first start, from the session's variables and none of Qt's.
DISPLAY=$(xwayland) start_clock -u QT_QPA_PLATFORM \
    XDG_RUNTIME_DIR="$wayland" WAYLAND_DISPLAY=wl-tickora XDG_SESSION_TYPE=wayland
screen=$(DISPLAY=$(xwayland) xwininfo -root | awk '/Width:/ {print $2}')
on_edge() { read -r x _ w _ < <(DISPLAY=$(xwayland) window_geometry "$APP_WIN") && [ $((x + w)) -eq "$screen" ]; }
wait_for 30 on_edge || fail "on XWayland the clock is at x $x, width $w, not at the right edge of $screen"

# --- A second start, after a clock killed outright --------------------------
start_clock --options "$SESSION_DIR/Options.dat"
kill -KILL "$APP_PID"
restart_clock
xdotool mousemove 10 10
read -r x y w _ < <(window_geometry "$APP_WIN")
hidden() { read -r x y w _ < <(window_geometry "$APP_WIN") && [ $((x + w)) -gt 1280 ]; }
wait_for 30 hidden || fail "the clock did not hide"
xclock -norender -bg white -fg white -hd white -hl white -geometry 300x200+1000+$((y + 20)) &
SESSION_PIDS+=($!)
white() { [ "$(pixel $((1280 - w + 4 + 9)) $((y + 100)))" = 255,255,255 ]; }
wait_for 50 white || fail "no xclock where the clock's bar comes out"
# The restarted clock holds the lock the killed one left: this start ends.
timeout 30 "$APP_DIR/tickora" || fail "the second start ended with status $?"
docked() { read -r x y w _ < <(window_geometry "$APP_WIN") && [ $((x + w)) -eq 1280 ]; }
wait_for 20 docked || fail "the second start did not bring the clock out: x $x"
above() { [ "$(pixel $((x + 4 + 9)) $((y + 100)))" != 255,255,255 ]; }
wait_for 20 above || fail "the second start did not bring the clock above xclock"
shot "second-start"
echo "PASS"
