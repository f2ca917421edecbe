# Faults caught: a clock that fails to start, loses its settings, writes where it must not, stays silent or
# nags more than once, or dies, when its settings cannot be kept: run as nobody with the program's folder
# read-only, Options.dat a directory, no room to write (a file-size limit of 0, SIGXFSZ ignored), and no
# writable folder at all.

# Makes a program folder owned by $1 and a home owned by $2; sets DIR and HOME_DIR.
prepare() {
    DIR=$(mktemp -d "$SESSION_DIR/prog.XXXXXX")
    HOME_DIR=$(mktemp -d "$SESSION_DIR/home.XXXXXX")
    cp "$TICKORA" "$DIR/"
    chmod 755 "$DIR" "$HOME_DIR"
    chown "$1" "$DIR"
    chown "$2" "$HOME_DIR"
    mkdir -m 700 "$HOME_DIR/runtime" && chown nobody "$HOME_DIR/runtime"
}
# Starts the clock as nobody after a shell prefix (e.g. a ulimit), with the pointer on it.
run_as_nobody() {
    bash -c "$1"'; exec "$@"' limit setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$HOME_DIR" XDG_CONFIG_HOME="$HOME_DIR/.config" XDG_RUNTIME_DIR="$HOME_DIR/runtime" "${FAKE_TIME[@]}" \
        "$DIR/$(basename "$TICKORA")" >>"$DIR.log" 2>&1 &
    await_clock "$DIR.log"
    show_clock
}
# The hour hand at three o'clock in the given colour.
hand_is() { docked && rgb_is $((x + 22 + 87 + 48)) $((y + 4 + 89)) "$1"; }
messages() { xdotool search --onlyvisible --name '^Salvataggio delle opzioni$' 2>/dev/null | wc -l; }

# Hour hand in colour $2 (blue: defaults, green: last good settings), no message; OK says once that
# it could not save; Cancel closes; the clock lives on, as it was.
survives_failed_save() {
    wait_for 30 hand_is "$2" || fail "$1: no clock with the expected ($2) hour hand"
    [ "$(messages)" -eq 0 ] || fail "$1: a message at start"
    open_options
    xdotool key alt+o
    one() { [ "$(messages)" -eq 1 ]; }
    wait_for 50 one || fail "$1: no message that the settings could not be saved"
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Salvataggio delle opzioni$' | head -n1)" key Return
    none() { [ "$(messages)" -eq 0 ]; }
    wait_for 50 none || fail "$1: the message did not close"
    is_open Opzioni || fail "$1: the options closed as if saved"
    xdotool windowactivate --sync "$(window_named Opzioni)" key alt+c
    wait_for 50 is_closed Opzioni || fail "$1: Cancel did not close the options"
    kill -0 "$APP_PID" && ! grep -q '^State:.*zombie' "/proc/$APP_PID/status" || fail "$1: the clock ended"
    show_clock
    wait_for 30 hand_is "$2" || fail "$1: the clock lost its settings after the failed save"
    [ "$(messages)" -eq 0 ] || fail "$1: a second message"
    stop_clock
}

scenario_bad_places_to_save() {
    CLOCK_ENV=()
    set_time "2026-03-04 03:00:00"
    chmod 711 "$SESSION_DIR"
    prepare root nobody
    run_as_nobody :
    wait_for 30 hand_is blue || fail "read-only folder: no clock with the default blue hour hand"
    wait_for 30 test -f "$HOME_DIR/.config/Tickora/Tickora/Options.dat" \
        || fail "read-only folder: no Options.dat in the user's configuration folder"
    [ ! -e "$DIR/Options.dat" ] || fail "read-only folder: Options.dat written into it"
    stop_clock

    prepare nobody nobody
    mkdir "$DIR/Options.dat"
    run_as_nobody :
    survives_failed_save "Options.dat a directory" blue
    [ -d "$DIR/Options.dat" ] || fail "the directory Options.dat was replaced"

    prepare nobody nobody
    options_with ColorLancetHour=65280 >"$DIR/Options.dat"
    chown nobody "$DIR/Options.dat"
    cp "$DIR/Options.dat" "$SESSION_DIR/good"
    run_as_nobody "trap '' XFSZ; ulimit -f 0"
    survives_failed_save "no room" green
    cmp "$SESSION_DIR/good" "$DIR/Options.dat" || fail "no room: Options.dat changed"
    [ "$(ls "$DIR" | grep -c '^Options')" -eq 1 ] || fail "no room: something was left beside Options.dat"

    prepare root root
    run_as_nobody :
    survives_failed_save "no writable folder" blue
}
