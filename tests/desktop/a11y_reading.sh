#!/usr/bin/env bash
# The clock as a screen reader reads it over AT-SPI: the dial tells the time
# to the minute and follows the clock from 03:00 to 03:01; the bar and its
# buttons say what they do; "Opzioni" and the About box read their captions,
# and the check boxes' states match Options.dat.
. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/a11y.sh"
start_session
start_a11y

CLOCK_FILE="$SESSION_DIR/faketime"
echo "@2026-03-04 03:00:00" >"$CLOCK_FILE"
# The pointer on the clock keeps it shown: an auto-hidden clock does not tick.
xdotool mousemove 1279 512
start_clock QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME_TIMESTAMP_FILE="$CLOCK_FILE" \
    FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1
W='Orologio Plomb Tickora'

wait_for_object "^$W\|filler\|Ore 3:00\|04 Mar\|" || { atspi_dump | grep -v table >&2; fail "the dial does not read 3:00"; }
echo "@2026-03-04 03:01:00" >"$CLOCK_FILE"
wait_for_object "^$W\|filler\|Ore 3:01\|" || { atspi_dump | grep -v table >&2; fail "the dial does not read 3:01"; }
# The time label says the same, to the minute.
wait_for_object "^$W\|label\|Ore 3:01\|" || fail "the time label does not read 3:01"

dump=$(atspi_dump)
expect() { grep -Fqx -- "$1" <<<"$dump" || { grep -v table <<<"$dump" >&2; fail "not read: $1"; }; }
expect "$W|push button|Chiudi l'orologio||enabled,focusable,showing|"
expect "$W|push button|Mostra o nascondi il calendario||enabled,focusable,showing|"
expect "$W|push button|Informazioni su Plomb Tickora||enabled,focusable,showing|"
expect "$W|filler|Barra dell'orologio|Clic destro sulla barra, o il tasto Menu o Maiusc+F10 sull'orologio, per le opzioni|enabled,showing|"

# "Opzioni", opened with the Menu key on the clock; the file is the one the
# clock wrote at start.
grep -q '^ViewSecond=1' "$APP_DIR/Options.dat" || fail "Options.dat was not written at start"
xdotool windowactivate --sync "$APP_WIN" key Menu
wait_for_object '^Opzioni\|dialog\|Opzioni\|' || fail "the Menu key did not open Opzioni"
dump=$(atspi_dump)
state() { grep -q "^$1=1" "$APP_DIR/Options.dat" && echo "checked,enabled" || echo "enabled"; }
expect "Opzioni|label| Trasparenza||enabled,showing|"
expect "Opzioni|slider|Trasparenza|Da 0, trasparente, a 255, opaco|enabled,focused,focusable,showing|0..255=255"
expect "Opzioni|push button|Normalizza||enabled,focusable,showing|"
expect "Opzioni|label| Posizione||enabled,showing|"
expect "Opzioni|check box|Sempre in primo piano||$(state BringToFront),focusable,showing|"
expect "Opzioni|check box|Nascondi automaticamente||$(state AutoHide),focusable,showing|"
expect "Opzioni|check box|Nascondi la barra||$(state HideBar),focusable,showing|"
expect "Opzioni|label| Immagine||enabled,showing|"
expect "Opzioni|check box|Visualizza la data||$(state ViewDate),focusable,showing|"
expect "Opzioni|check box|Visualizza il bordo||$(state ViewBorder),focusable,showing|"
expect "Opzioni|text|Spessore bordo||enabled,focusable,showing|"
expect "Opzioni|label|Spessore bordo||enabled,showing|"
expect "Opzioni|push button|Colore del bordo|grigio chiaro|enabled,focusable,showing|"
expect "Opzioni|label|Colore del bordo||enabled,showing|"
expect "Opzioni|check box|Visualizza il testo delle ore||$(state ViewTextHours),focusable,showing|"
expect "Opzioni|push button|Colore del testo|nero|enabled,focusable,showing|"
expect "Opzioni|label|Colore del testo||enabled,showing|"
expect "Opzioni|check box|Visualizza la lancetta dei secondi||$(state ViewSecond),focusable,showing|"
expect "Opzioni|push button|Colore della lancetta dei secondi|nero|enabled,focusable,showing|"
expect "Opzioni|push button|Colore della lancetta dei minuti|rosso|enabled,focusable,showing|"
expect "Opzioni|push button|Colore della lancetta delle ore|blu|enabled,focusable,showing|"
expect "Opzioni|label|Colore della lancetta delle ore||enabled,showing|"
expect "Opzioni|push button|OK||enabled,focusable,showing|"
expect "Opzioni|push button|Cancel||enabled,focusable,showing|"
shot "options"
# Unticking auto-hide disables "Nascondi la barra", as read.
key_until Opzioni alt+n '^Opzioni\|check box\|Nascondi automaticamente\|\|checked,enabled,focused,' \
    || fail "Alt+N did not reach Nascondi automaticamente"
xdotool key space
wait_for_object '^Opzioni\|check box\|Nascondi la barra\|\|focusable,showing\|' || fail "Nascondi la barra stayed enabled"
xdotool key alt+c
wait_for 50 sh -c '! /usr/bin/python3 "$0" dump "$1" | grep -q "^Opzioni|"' "$ATSPI_CLIENT" "$APP_PID" \
    || fail "Alt+C did not close Opzioni"
grep -q '^AutoHide=1' "$APP_DIR/Options.dat" || fail "Cancel changed the file"

# The About box, pressed as a screen reader presses the button.
atspi_press "Informazioni su Plomb Tickora" || fail "no press action on the About button"
wait_for_object '^About Plomb Tickora 1.0\|' || fail "the About box did not open"
dump=$(atspi_dump)
A='About Plomb Tickora 1.0'
expect "$A|label|Plomb Tickora 1.0||enabled,showing|"
expect "$A|label|2003||enabled,showing|"
expect "$A|label|Sito:||enabled,showing|"
expect "$A|label|E-m@il:||enabled,showing|"
grep -Eq "^$A\|push button\|OK\|\|enabled,focused,focusable,showing\|" <<<"$dump" || fail "OK is not read or has not the focus"
shot "about"
xdotool key Escape
sleep 0.3 # nothing to poll for: Escape must leave the box open
dump=$(atspi_dump)
grep -q "^$A|" <<<"$dump" || fail "Escape closed the About box"
xdotool key alt+o
wait_for 50 sh -c '! /usr/bin/python3 "$0" dump "$1" | grep -q "^About Plomb"' "$ATSPI_CLIENT" "$APP_PID" \
    || fail "Alt+O did not close the About box"
echo "PASS"
