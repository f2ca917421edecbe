# Faults caught: a clock that comes up as a native Wayland client (which cannot dock) on a Wayland session;
# a lock left by a killed clock that stops the next start; a second start that does not end or does not
# bring the running clock out of hiding and above another window, or holds it out for good; a command line
# answered wrong.

# Weston (headless, with XWayland): the clock goes through XWayland by itself and docks at the right edge.
scenario_wayland_start() {
    local wayland=$SESSION_DIR/wayland screen
    mkdir -m 700 "$wayland"
    XDG_RUNTIME_DIR="$wayland" weston --backend=headless-backend.so --socket=wl-tickora --xwayland --idle-time=0 \
        >"$SESSION_DIR/weston.log" 2>&1 &
    SCENARIO_PIDS+=($!)
    xwayland() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$SESSION_DIR/weston.log"; }
    wait_for 100 grep -q 'listening on display' "$SESSION_DIR/weston.log" || fail "weston did not start XWayland"
    CLOCK_ENV=(WAYLAND_DISPLAY=wl-tickora XDG_SESSION_TYPE=wayland)
    DISPLAY=$(xwayland) start_clock
    screen=$(DISPLAY=$(xwayland) xwininfo -root | awk '/Width:/ {print $2}')
    on_edge() { DISPLAY=$(xwayland) geometry && [ $((x + w)) -eq "$screen" ]; }
    wait_for 30 on_edge || fail "on XWayland the clock is at x $x, width $w, not at the right edge of $screen"
}

scenario_second_start() {
    start_clock BringToFront=0
    kill -KILL "$APP_PID"
    restart_clock
    xdotool mousemove 10 10
    hidden() { geometry && [ $((x + w)) -gt 1280 ]; }
    wait_for 30 hidden || fail "the clock did not hide"
    xclock -norender -bg white -fg white -hd white -hl white -geometry 300x200+1000+$((y + 20)) &
    SCENARIO_PIDS+=($!)
    white() { [ "$(pixel $((1280 - w + 4 + 9)) $((y + 100)))" = 255,255,255 ]; }
    wait_for 50 white || fail "no xclock where the clock's bar comes out"
    # The restarted clock holds the lock the killed one left: this start ends.
    XDG_RUNTIME_DIR="$APP_DIR/runtime" timeout 30 "$APP_DIR/tickora" || fail "the second start ended with status $?"
    wait_for 20 docked || fail "the second start did not bring the clock out: x $x"
    above() { [ "$(pixel $((x + 4 + 9)) $((y + 100)))" != 255,255,255 ]; }
    wait_for 20 above || fail "the second start did not bring the clock above xclock"
    # The pointer stayed away: out for a moment, then hidden again.
    wait_for 100 hidden || fail "the clock stayed out after the second start, the pointer away"
}

# Answered without a display: the version, the usage, a wrong option refused with status 2, no display with 1.
scenario_command_line() {
    local out status
    bare() { out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$TICKORA" "$@" 2>&1) && status=0 || status=$?; }
    bare --version
    [ "$status:$out" = "0:Plomb Tickora 1.0" ] || fail "--version: $status, '$out'"
    bare -h
    [ "$status" -eq 0 ] && grep -q '^Usage: tickora \[options\]' <<<"$out" || fail "-h: $status, '$out'"
    bare --help --bogus
    [ "$status" -eq 2 ] && grep -q "^Unknown option 'bogus'" <<<"$out" || fail "an unknown option: $status, '$out'"
    bare
    [ "$status" -eq 1 ] && grep -q '^tickora: .*DISPLAY' <<<"$out" || fail "no display: $status, '$out'"
    # Qt's own options go by their names.
    bare -display :0 -style=fusion -reverse --version
    [ "$status:$out" = "0:Plomb Tickora 1.0" ] || fail "Qt's options with --version: $status, '$out'"
    bare -display
    [ "$status" -eq 2 ] && grep -q "^Missing value after '-display'" <<<"$out" || fail "-display alone: $status, '$out'"
    # An answer that cannot be written is a failure, and said so.
    out=$("$TICKORA" --version 2>&1 >/dev/full) && status=0 || status=$?
    [ "$status" -ne 0 ] && grep -q '^tickora: cannot write' <<<"$out" || fail "--version to a full disk: $status, '$out'"
}

# One clock per user and display whatever the environment: a start from a shell without XDG_RUNTIME_DIR
# or DISPLAY, naming the display another way with Qt's -display, brings the hidden clock out and ends.
scenario_one_clock() {
    start_clock
    xdotool mousemove 10 10
    hidden() { geometry && [ $((x + w)) -gt 1280 ]; }
    wait_for 30 hidden || fail "the clock did not hide"
    env -u XDG_RUNTIME_DIR -u DISPLAY timeout 30 "$APP_DIR/tickora" -display "unix$DISPLAY.0" \
        || fail "a start without XDG_RUNTIME_DIR ended with status $? (124: it ran as a second clock)"
    wait_for 20 docked || fail "a start without XDG_RUNTIME_DIR did not bring the clock out: x $x"
}
