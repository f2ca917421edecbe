# Faults caught: a clock, bar, dialog or About box a screen reader cannot read or reads wrong, options that
# the keyboard alone cannot reach or save, notifications assistive technology misses or gets too often.

ATSPI_CLIENT="$(dirname "${BASH_SOURCE[0]}")/atspi_client.py"
A11Y_ENV=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

atspi_dump() { /usr/bin/python3 "$ATSPI_CLIENT" dump "$APP_PID" "$@"; }
# Polls until a line of the dump matches the extended regular expression.
wait_for_object() { wait_for 100 sh -c '/usr/bin/python3 "$0" dump "$1" | grep -Eq -- "$2"' "$ATSPI_CLIENT" "$APP_PID" "$1"; }
window_gone() { wait_for 50 sh -c '! /usr/bin/python3 "$0" dump "$1" | grep -q "^$2|"' "$ATSPI_CLIENT" "$APP_PID" "$1"; }
expect() { grep -Fqx -- "$1" <<<"$dump" || { grep -v table <<<"$dump" >&2; fail "not read: $1"; }; }

# In the window $1 presses the key $2, at most four times, until the focus matches $3.
key_until() {
    local i before now
    now=$(atspi_dump "$1" | grep -F ',focused,' || true)
    for i in 1 2 3 4; do
        before=$now
        xdotool key "$2"
        moved() { now=$(atspi_dump "$1" | grep -F ',focused,') && [ "$now" != "$before" ]; }
        wait_for 30 moved "$1" || return 1
        grep -Eq -- "$3" <<<"$now" && return 0
    done
    return 1
}

# The dial tells the time to the minute; the bar, "Opzioni" (with the file's states) and the About
# box read what they show and do; the keyboard alone changes, saves and reopens the options.
scenario_screen_reader() {
    CLOCK_ENV=("${FAKE_TIME[@]}" "${A11Y_ENV[@]}")
    set_time "2026-03-04 03:00:00"
    start_clock AutoHide=1 HideBar=0 ViewDate=0
    local W='Orologio Plomb Tickora' A='About Plomb Tickora 1.0' dump
    wait_for_object "^$W\|filler\|Ore 3:00\|" || fail "the dial does not read 3:00"
    set_time "2026-03-04 03:01:00"
    wait_for_object "^$W\|filler\|Ore 3:01\|" || fail "the dial does not read 3:01"
    dump=$(atspi_dump)
    expect "$W|push button|Chiudi l'orologio||enabled,focusable,showing|"
    expect "$W|filler|Barra dell'orologio|Clic destro sulla barra, o il tasto Menu o Maiusc+F10 sull'orologio, per le opzioni|enabled,showing|"
    xdotool windowactivate --sync "$APP_WIN" key Menu
    wait_for_object '^Opzioni\|dialog\|Opzioni\|' || fail "the Menu key did not open Opzioni"
    dump=$(atspi_dump)
    expect "Opzioni|slider|Trasparenza|Da 0, trasparente, a 255, opaco|enabled,focused,focusable,showing|0..255=255"
    expect "Opzioni|check box|Nascondi automaticamente||checked,enabled,focusable,showing|"
    expect "Opzioni|check box|Visualizza la data||enabled,focusable,showing|"
    expect "Opzioni|push button|Colore del bordo|grigio chiaro|enabled,focusable,showing|"
    expect "Opzioni|push button|Cancel||enabled,focusable,showing|"
    # Unticking auto-hide disables "Nascondi la barra", as read.
    key_until Opzioni alt+n '^Opzioni\|check box\|Nascondi automaticamente\|\|checked,enabled,focused,' \
        || fail "Alt+N did not reach Nascondi automaticamente"
    xdotool key space
    wait_for_object '^Opzioni\|check box\|Nascondi la barra\|\|focusable,showing\|' || fail "Nascondi la barra stayed enabled"
    # Alt+O saves it; Shift+F10 opens "Opzioni" as saved.
    xdotool key alt+o
    wait_for 50 grep -q '^AutoHide=0' "$APP_DIR/Options.dat" || fail "Alt+O did not save AutoHide=0"
    window_gone Opzioni || fail "Opzioni is still open after Alt+O"
    xdotool windowactivate --sync "$APP_WIN" key shift+F10
    wait_for_object '^Opzioni\|check box\|Nascondi automaticamente\|\|enabled,focusable,' \
        || fail "Shift+F10 did not open Opzioni as saved"
    xdotool key alt+c
    window_gone Opzioni || fail "Alt+C did not close Opzioni"
    /usr/bin/python3 "$ATSPI_CLIENT" press "$APP_PID" "Informazioni su Plomb Tickora" || fail "no press action on About"
    wait_for_object "^$A\|" || fail "the About box did not open"
    dump=$(atspi_dump)
    expect "$A|label|E-m@il:||enabled,showing|"
    grep -Eq "^$A\|push button\|OK\|\|enabled,focused," <<<"$dump" || fail "OK is not read or has not the focus"
    xdotool key alt+o
    window_gone "$A" || fail "Alt+O did not close the About box"
}

# The unit test of what assistive technology is told, skipped headless, must run and pass here.
scenario_a11y_events() {
    local out
    out=$(QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TST_APP" announcements 2>&1) \
        || { echo "$out" >&2; fail "the notification test failed"; }
    grep -q '^PASS   : tst_app::announcements' <<<"$out" || { echo "$out" >&2; fail "the notification test did not run"; }
}
