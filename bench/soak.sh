#!/usr/bin/env bash
# A simulated day: the clock runs 10 minutes of real time with its time of
# day going 144 times as fast, the pointer moving onto its strip and away
# every few seconds so that auto-hide works all along. Prints its resident
# memory, open files and X resources after the first simulated hour and at
# the end, and checks that the hands are right at the end. Not run by CI.
#   bench/soak.sh [seconds]   (default 600)
# Needs a built program: TICKORA=build-run/tickora (./scripts/run builds it) by default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
export TICKORA=${TICKORA:-$root/build-run/tickora}
export ARTIFACTS=${ARTIFACTS:-$root/build-run/artifacts}
. "$root/scripts/lib.sh"
ensure_packages xrestop
. "$root/tests/desktop/session.sh"
trap stop_session EXIT
SCENARIO=soak

start_session
# The day starts at midnight, so the date changes once more at the end.
start_at="2026-03-04 00:00:00"
started=$(date +%s.%N)
CLOCK_ENV=("LD_PRELOAD=$LIBFAKETIME" "FAKETIME=@$start_at x144" FAKETIME_DONT_FAKE_MONOTONIC=1)
start_clock

rss() { awk '/^VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
fds() { ls "/proc/$APP_PID/fd" | wc -l; }
# The clock's X resources as xrestop counts them.
xres() {
    xrestop -b -m 1 2>/dev/null | awk -v pid="$APP_PID" '
        /^[0-9]+ - / {mine = ($0 ~ "PID: *" pid " *\\)")}
        mine && /(windows|GCs|pixmaps|pictures|total bytes) *:/ {sub(/^[ \t]*/, ""); gsub(/ +:/, ":"); printf "%s; ", $0}'
}
figures() { echo "$1: VmRSS $(rss) kB, open fds $(fds), X: $(xres)"; }

pointer_in=0
move_pointer() {
    geometry
    if [ "$pointer_in" -eq 0 ]; then xdotool mousemove 1276 $((y + 50)); pointer_in=1
    else xdotool mousemove 640 512; pointer_in=0; fi
}

first_hour=$((3600 / 144 + 1))
end=$(($(date +%s) + seconds))
rss_hour=""
while [ "$(date +%s)" -lt "$end" ]; do
    sleep 3 # the pointer's pace, not a wait for a condition
    [ -e "/proc/$APP_PID" ] || fail "the clock ended during the soak"
    move_pointer
    if [ -z "$rss_hour" ] && [ "$(echo "$(date +%s.%N) - $started >= $first_hour" | bc)" -eq 1 ]; then
        rss_hour=$(rss); fds_hour=$(fds)
        figures "after the first simulated hour"
    fi
done

# At the end: the pointer on the window, every figure again.
geometry
xdotool mousemove 1276 $((y + 50))
rss_end=$(rss); fds_end=$(fds)
figures "at the end"
echo "VmRSS growth: $((rss_end - rss_hour)) kB; open fds $fds_hour -> $fds_end"

# The hands at the end: with the pointer over it the window shows in full.
# The hour hand (blue) must point within 5 degrees (10 simulated minutes)
# of the simulated time, found by sampling a circle 30 px from the centre.
wait_for 20 docked || fail "the clock did not show itself under the pointer"
grab "174x178+$((x + 22))+$((y + 4))" "$SESSION_DIR/dial.png"
now=$(date +%s.%N)
fake=$(echo "($(date -d "$start_at" +%s) + ($now - $started) * 144)" | bc)
fake=${fake%.*}
expected=$(date -d "@$fake" +"%H %M" | awk '{print (($1 % 12) * 30 + $2 * 0.5)}')
cp "$SESSION_DIR/dial.png" "$ARTIFACTS/soak-dial-end.png"
hour_angle=$(convert "$SESSION_DIR/dial.png" -depth 8 txt:- | awk '
    NR > 1 { split($1, p, "[,:]"); x = p[1] - 87; y = p[2] - 89; r = sqrt(x * x + y * y)
             gsub(/[()]/, "", $2); split($2, c, ",")
             if (r > 25 && r < 35 && c[1] < 80 && c[2] < 80 && c[3] > 200) {
                 a = atan2(x, -y) * 180 / 3.14159265358979; if (a < 0) a += 360
                 sx += sin(a * 3.14159265358979 / 180); cx += cos(a * 3.14159265358979 / 180); n++ } }
    END { if (n == 0) print "none"; else { a = atan2(sx, cx) * 180 / 3.14159265358979; if (a < 0) a += 360; printf "%.1f", a } }')
echo "simulated time at the end $(date -d "@$fake" +%T), hour hand expected at $expected deg, found at $hour_angle deg"
[ "$hour_angle" != none ] || fail "no hour hand found on the dial"
off=$(echo "d = $hour_angle - $expected; if (d < 0) d = -d; if (d > 180) d = 360 - d; d" | bc)
[ "$(echo "$off <= 5" | bc)" -eq 1 ] || fail "the hour hand is $off degrees off"
[ $((rss_end - rss_hour)) -le 2048 ] || fail "resident memory grew by $((rss_end - rss_hour)) kB"
[ "$fds_end" -le "$fds_hour" ] || fail "open files grew from $fds_hour to $fds_end"
echo "PASS"
