# Faults caught: the agenda's marks in the panel's calendar not following a file edited while the clock
# runs (no watch, a watch lost after the first save, no redraw of the grid), or the panel without its list.

# Green pixels of the picture $1 (the agenda's mark colour, #00c000), as "count mean-x".
green_pixels() {
    convert "$1" -depth 8 txt:- 2>/dev/null \
        | sed -n 's/^\([0-9]*\),[0-9]*: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' \
        | awk '$3 - ($2 > $4 ? $2 : $4) > 80 { n++; sx += $1 } END { printf "%d %d\n", n, n ? sx / n : 0 }'
}

# An event on the given day of April 2026, in a calendar file written as an editor saves it: a new file
# renamed over the old one.
write_event() {
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Prova//IT\r\nBEGIN:VEVENT\r\nUID:prova@tickora\r\n%s\r\n%s\r\n%s\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
        "DTSTAMP:20260101T000000Z" "SUMMARY:Dentista" "DTSTART:202604${1}T073000Z" >"$2.tmp"
    mv "$2.tmp" "$2"
}

# The clock opened at 10:00 on 15 April 2026 with one agenda file; the event moves from Tuesday 14 to
# Thursday 16 while the clock runs: its mark moves two columns to the right (22.6 px each).
scenario_agenda_follow() {
    CLOCK_ENV=("${FAKE_TIME[@]}" LANG=it_IT.UTF-8 LC_ALL= TZ=Europe/Rome)
    set_time "2026-04-15 10:00:00"
    xdotool mousemove 10 10
    APP_DIR=$(mktemp -d "$SESSION_DIR/app.XXXXXX")
    mkdir -m 700 "$APP_DIR/runtime"
    cp "$TICKORA" "$(dirname "$TICKORA")/About.gif" "$APP_DIR/"
    options_with AutoHide=0 ViewSecond=0 >"$APP_DIR/Options.dat"
    local calendar=$APP_DIR/agenda.ics
    write_event 14 "$calendar"
    printf '[Agenda]\nSources=%s\nColors=#00c000\nEnabled=true\n' "$calendar" >"$APP_DIR/Tickora.conf"
    restart_clock
    open_panel
    local before after
    marks() { grab "${w}x${h}+$x+$y" "$SESSION_DIR/agenda.png" && green_pixels "$SESSION_DIR/agenda.png"; }
    seen() { read -r n mean < <(marks) && [ "$n" -gt 3 ]; }
    wait_for 100 seen || fail "no mark on Tuesday 14 April"
    before=$mean
    write_event 16 "$calendar"
    moved() { seen && [ $((mean - before)) -gt 35 ] && [ $((mean - before)) -lt 55 ]; }
    wait_for 50 moved || fail "the mark did not move from 14 to 16 April (mean x $before, now $mean, $n pixels)"
    shot panel
}
