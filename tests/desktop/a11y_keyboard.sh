#!/usr/bin/env bash
# The options from the keyboard alone: the Menu key on the clock opens
# "Opzioni", the access key of "Visualizza la lancetta dei secondi" reaches
# it, Space unticks it, Alt+O saves; Shift+F10 opens the options as well.
. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/a11y.sh"
start_session
start_a11y
start_clock QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
wait_for 50 grep -q '^ViewSecond=1' "$APP_DIR/Options.dat" || fail "Options.dat was not written at start"

xdotool windowactivate --sync "$APP_WIN" key Menu
wait_for_object '^Opzioni\|dialog\|Opzioni\|' || fail "the Menu key did not open Opzioni"
SECONDS_BOX='^Opzioni\|check box\|Visualizza la lancetta dei secondi\|\|'
key_until Opzioni alt+v "${SECONDS_BOX}checked,enabled,focused," || fail "Alt+V did not reach the second hand's box"
xdotool key space
wait_for_object "${SECONDS_BOX}enabled,focused," || fail "Space did not untick the second hand's box"
xdotool key alt+o
wait_for 50 grep -q '^ViewSecond=0' "$APP_DIR/Options.dat" || fail "Alt+O did not save ViewSecond=0"
dump=$(atspi_dump)
! grep -q '^Opzioni|' <<<"$dump" || fail "Opzioni is still open after Alt+O"

# Shift+F10 opens it too, showing the saved state; Alt+C closes it.
xdotool windowactivate --sync "$APP_WIN" key shift+F10
wait_for_object "${SECONDS_BOX}enabled,focusable," || fail "Shift+F10 did not open Opzioni as saved"
xdotool key alt+c
wait_for 50 sh -c '! /usr/bin/python3 "$0" dump "$1" | grep -q "^Opzioni|"' "$ATSPI_CLIENT" "$APP_PID" \
    || fail "Alt+C did not close Opzioni"
grep -q '^ViewSecond=0' "$APP_DIR/Options.dat" || fail "the saved setting was lost"
echo "PASS"
