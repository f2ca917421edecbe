# Faults caught: zones in Tickora.conf that do not reach the open panel, or that a screen reader cannot read.

# The clock in Rome at noon of 20 March 2026, with New York in Tickora.conf: the open panel shows and
# reads "Ufficio NY  07:00  −5 h" under the time, and the calendar below it.
scenario_world_zones() {
    CLOCK_ENV=("${FAKE_TIME[@]}" "${A11Y_ENV[@]}" TZ=Europe/Rome LANG=it_IT.UTF-8)
    set_time "2026-03-20 12:00:00 +0100"
    start_clock AutoHide=0
    stop_clock
    printf '[Zones]\nList=America/New_York|Ufficio NY\n' >"$APP_DIR/Tickora.conf"
    restart_clock
    await_docked
    local W='Orologio Plomb Tickora' line='Ufficio NY  07:00  −5 h'
    open_panel
    wait_for_object "^$W\|label\|$line\|\|[a-z,]*showing\|" || { atspi_dump >&2; fail "the panel does not read: $line"; }
    shot panel
}
