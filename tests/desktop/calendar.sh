# Faults caught: the panel's calendar without its red days (Sundays, Easter Monday) or its week numbers
# on a real X server, in Italian, in the month the clock starts in.

# Pixels of a colour in a box of $3 x $4 around ($1, $2) of the picture $5: red or ink (near black).
count_pixels() {
    convert "$5" -crop "$3x$4+$(($1 - $3 / 2))+$(($2 - $4 / 2))" +repage -depth 8 txt:- 2>/dev/null \
        | sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
        | awk -v want="$6" '{ red = $1 - ($2 > $3 ? $2 : $3) > 90; ink = $1 < 90 && $2 < 90 && $3 < 90 }
            want == "red" && red || want == "ink" && ink { n++ } END { print n + 0 }'
}

# April 2026, Monday first: week 14 ends on Sunday 5 (Easter), week 15 starts on Monday 6 (Easter
# Monday). The calendar is 181 x 158 px, 20 px right of the client area, 8 px above its bottom; the
# grid's eight columns (the week numbers first) are 22.6 px wide, the weeks' rows 18 px high.
scenario_calendar_holidays() {
    CLOCK_ENV=("${FAKE_TIME[@]}" LANG=it_IT.UTF-8 LC_ALL=)
    set_time "2026-04-15 10:00:00"
    xdotool mousemove 10 10
    open_clock 300
    geometry "$WIN"
    local left=$((x + 4 + 20)) top=$((y + h - 4 - 8 - 158))
    grab "181x158+$left+$top" "$SESSION_DIR/calendar.png"
    local week=11 monday=34 tuesday=56 sunday=169 week14=63 week15=81 picture=$SESSION_DIR/calendar.png
    [ "$(count_pixels $sunday $week14 12 12 "$picture" red)" -gt 3 ] || fail "Easter Sunday (5 April) is not red"
    [ "$(count_pixels $monday $week15 12 12 "$picture" red)" -gt 3 ] || fail "Easter Monday (6 April) is not red"
    [ "$(count_pixels $tuesday $week15 12 12 "$picture" red)" -eq 0 ] || fail "Tuesday 7 April is red"
    [ "$(count_pixels $week $week15 14 12 "$picture" ink)" -gt 3 ] \
        && [ "$(count_pixels $week $week15 14 12 "$picture" red)" -eq 0 ] || fail "no week numbers at the left"
}
