#!/usr/bin/env bash
# A hostile place to keep settings, run as an ordinary user (nobody): the
# program's folder read-only, Options.dat a directory, no room to write (a
# file-size limit of 0, SIGXFSZ ignored, and a full file system) and, last,
# no writable folder at all. Each time the clock starts, shows the time with the defaults or the
# last good settings and shows no message at start; where a save cannot
# work, OK in the options says so once and the clock goes on.
. "$(dirname "$0")/session.sh"
start_session
chmod 711 "$SESSION_DIR"
liblist=$(find /usr/lib -name libfaketime.so.1 -print -quit)
TITLE="Salvataggio delle opzioni"

# Makes a program folder owned by $1 (root or nobody); sets DIR and HOME_DIR
# (a home owned by $2).
prepare() {
    DIR=$(mktemp -d "$SESSION_DIR/prog.XXXXXX")
    HOME_DIR=$(mktemp -d "$SESSION_DIR/home.XXXXXX")
    cp "$TICKORA" "$DIR/"
    chmod 755 "$DIR" "$HOME_DIR"
    chown "$1" "$DIR"
    chown "$2" "$HOME_DIR"
    mkdir -m 700 "$HOME_DIR/runtime" && chown nobody "$HOME_DIR/runtime"
}
# Starts the clock as nobody at 03:00 with a shell prefix (e.g. a ulimit).
run_clock() {
    bash -c "$1"'; exec "$@"' limit setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$HOME_DIR" XDG_CONFIG_HOME="${CONFIG_HOME:-$HOME_DIR/.config}" XDG_RUNTIME_DIR="$HOME_DIR/runtime" \
        LD_PRELOAD="$liblist" FAKETIME="@2026-03-04 03:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        "$DIR/$(basename "$TICKORA")" >>"$DIR/../$(basename "$DIR").log" 2>&1 &
    APP_PID=$!
    SESSION_PIDS+=("$APP_PID")
    APP_WIN=""
    shown() { APP_WIN=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n1) && [ -n "$APP_WIN" ]; }
    wait_for 100 shown || fail "$CASE: the clock's window did not appear"
    # The pointer over it keeps it shown even with auto-hide on.
    read -r x y _ _ < <(window_geometry "$APP_WIN")
    xdotool mousemove 1276 $((y + 60))
}
# The hour hand at three o'clock in the expected colour (r,g,b test).
hand_is() {
    local p
    read -r x y w _ < <(window_geometry "$APP_WIN")
    [ $((x + w)) -eq 1280 ] || return 1
    p=$(pixel $((x + 22 + 87 + 48)) $((y + 4 + 89)))
    [[ $p =~ ^([0-9]+),([0-9]+),([0-9]+)$ ]] && "$1" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}"
}
blue() { (($1 < 80 && $2 < 80 && $3 > 200)); }
green() { (($1 < 80 && $2 > 200 && $3 < 80)); }
messages() { xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | wc -l; }
alive() { kill -0 "$APP_PID" 2>/dev/null && ! grep -q '^State:.*zombie' "/proc/$APP_PID/status"; }
stop_clock() { kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; }

# OK in the options: exactly one message, which closes, and the clock lives.
save_fails_once() {
    xdotool mousemove $((x + 4 + 9)) $((y + 120)) click 3
    opened() { [ -n "$(window_named Opzioni)" ]; }
    wait_for 30 opened || fail "$CASE: the options did not open"
    xdotool key alt+o
    one() { [ "$(messages)" -eq 1 ]; }
    wait_for 50 one || { ls -la "$DIR" >&2; cat "$DIR/Options.dat" >&2; fail "$CASE: no message that the settings could not be saved"; }
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "^$TITLE\$" | head -n1)" key Return
    gone() { [ "$(messages)" -eq 0 ]; }
    wait_for 50 gone || fail "$CASE: the message did not close"
    # The options stay open with the user's choices; Cancel closes them.
    [ -n "$(window_named Opzioni)" ] || fail "$CASE: the options closed as if saved"
    xdotool windowactivate --sync "$(window_named Opzioni)" key alt+c
    closed() { [ -z "$(window_named Opzioni)" ]; }
    wait_for 50 closed || fail "$CASE: Cancel did not close the options"
    alive || fail "$CASE: the clock ended after a failed save"
    # The main window is active again and has re-read the settings.
    read -r x y _ _ < <(window_geometry "$APP_WIN")
    xdotool mousemove 1276 $((y + 60))
}

# The clock starts with the hour hand in the given colour (blue: defaults,
# green: the last good settings), shows no message, survives one failed
# save and still shows the same settings.
survives_failed_save() {
    wait_for 30 hand_is "$1" || fail "$CASE: no clock with the expected ($1) hour hand"
    [ "$(messages)" -eq 0 ] || fail "$CASE: a message at start"
    save_fails_once
    wait_for 30 hand_is "$1" || fail "$CASE: the clock lost its settings after the failed save"
    [ "$(messages)" -eq 0 ] || fail "$CASE: a second message"
}

CASE="read-only program folder"
prepare root nobody
run_clock ":"
wait_for 30 hand_is blue || fail "$CASE: no clock with the default blue hour hand"
[ "$(messages)" -eq 0 ] || fail "$CASE: a message at start"
saved_at=$(find "$HOME_DIR/.config" -name Options.dat)
[ -n "$saved_at" ] || fail "$CASE: no Options.dat in the user's configuration folder"
[ ! -e "$DIR/Options.dat" ] || fail "$CASE: Options.dat written into a read-only folder"
stop_clock
echo "$CASE: runs, settings in $saved_at"

CASE="Options.dat a directory"
prepare nobody nobody
mkdir "$DIR/Options.dat"
run_clock ":"
survives_failed_save blue
[ -d "$DIR/Options.dat" ] || fail "$CASE: the directory was replaced"
stop_clock
echo "$CASE: runs, one message"

CASE="no room to write"
prepare nobody nobody
options_with ColorLancetHour=65280 >"$DIR/Options.dat"
chown nobody "$DIR/Options.dat"
cp "$DIR/Options.dat" "$SESSION_DIR/good"
run_clock "trap '' XFSZ; ulimit -f 0"
survives_failed_save green
cmp "$SESSION_DIR/good" "$DIR/Options.dat" || fail "$CASE: Options.dat changed"
[ "$(find "$DIR" -maxdepth 1 -newer "$SESSION_DIR/good" -name 'Options.dat*' | wc -l)" -eq 0 ] \
    || fail "$CASE: a partial file was left beside Options.dat"
stop_clock
echo "$CASE: runs, last good settings kept, one message"

CASE="disk full"
# A tiny file system, filled to the last block, holds the user's settings
# (the program's folder is read-only). Where mounting is not allowed the
# file-size limit above stands in for it.
FULL="$SESSION_DIR/full"
mkdir -p "$FULL"
if mount -t tmpfs -o size=64k,mode=755 tmpfs "$FULL" 2>/dev/null; then
    trap 'umount "$FULL" 2>/dev/null || true; stop_session' EXIT
    prepare root nobody
    mkdir -p "$FULL/Tickora/Tickora"
    options_with ColorLancetHour=65280 >"$FULL/Tickora/Tickora/Options.dat"
    cp "$FULL/Tickora/Tickora/Options.dat" "$SESSION_DIR/good"
    dd if=/dev/zero of="$FULL/filler" bs=1k 2>/dev/null || true
    chown -R nobody "$FULL"
    CONFIG_HOME="$FULL" run_clock ":"
    survives_failed_save green
    cmp "$SESSION_DIR/good" "$FULL/Tickora/Tickora/Options.dat" || fail "$CASE: Options.dat changed"
    [ "$(ls "$FULL/Tickora/Tickora" | wc -l)" -eq 1 ] || fail "$CASE: a partial file was left beside Options.dat"
    stop_clock
    umount "$FULL"
    echo "$CASE: runs, last good settings kept, one message"
else
    echo "$CASE: mounting a small file system is not allowed here; the file-size limit stood in"
fi

CASE="no writable folder"
prepare root root
run_clock ":"
survives_failed_save blue
stop_clock
echo "$CASE: runs, one message"
echo "PASS"
