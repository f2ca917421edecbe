# The accessibility bus for desktop tests that read the clock as a screen
# reader does. Source after session.sh and call start_a11y after
# start_session; the buses are stopped by process id, with their children,
# when the test exits.

A11Y_PIDS=()
ATSPI_CLIENT="$(dirname "${BASH_SOURCE[0]}")/atspi_client.py"

# A process and everything it started, deepest first.
kill_tree() {
    local child
    for child in $(pgrep -P "$1" 2>/dev/null); do
        kill_tree "$child"
    done
    kill "$1" 2>/dev/null || true
}

stop_a11y() {
    local pid
    for ((i = ${#A11Y_PIDS[@]} - 1; i >= 0; i--)); do
        kill_tree "${A11Y_PIDS[i]}"
    done
}

start_a11y() {
    trap 'stop_a11y; stop_session' EXIT
    eval "$(dbus-launch --sh-syntax)"
    A11Y_PIDS+=("$DBUS_SESSION_BUS_PID")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$SESSION_DIR/at-spi.log" 2>&1 &
    A11Y_PIDS+=($!)
    wait_for 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        || fail "the accessibility bus did not start"
}

# Every object of the clock as "window|role|name|description|states|value".
atspi_dump() {
    /usr/bin/python3 "$ATSPI_CLIENT" dump "$APP_PID"
}

# Polls until a line of the dump matches the extended regular expression.
wait_for_object() {
    wait_for "${2:-100}" sh -c '/usr/bin/python3 "$0" dump "$1" | grep -Eq -- "$2"' \
        "$ATSPI_CLIENT" "$APP_PID" "$1"
}

# The object that has the focus in the window named $1, as a dump line.
focused_in() {
    /usr/bin/python3 "$ATSPI_CLIENT" dump "$APP_PID" "$1" | grep -F ',focused,' || true
}

# In the window named $1, presses the key $2 until the object with the
# focus matches $3, at most four times. An access key shared by several
# captions moves the focus among them: each press waits for it to move.
key_until() {
    local i before now
    now=$(focused_in "$1")
    for i in 1 2 3 4; do
        before=$now
        xdotool key "$2"
        wait_for 30 sh -c '[ "$(/usr/bin/python3 "$0" dump "$1" "$2" | grep -F ",focused,")" != "$3" ]' \
            "$ATSPI_CLIENT" "$APP_PID" "$1" "$before" || return 1
        now=$(focused_in "$1")
        grep -Eq -- "$3" <<<"$now" && return 0
    done
    return 1
}

atspi_press() {
    /usr/bin/python3 "$ATSPI_CLIENT" press "$APP_PID" "$1"
}
