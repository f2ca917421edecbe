#!/usr/bin/env bash
# The clock tells the time: at three o'clock the hour hand points right and
# the minute hand straight up, and the second hand moves by itself.
. "$(dirname "$0")/session.sh"
start_session
options_with AutoHide=0 >"$SESSION_DIR/Options.dat"
# Twenty seconds past: the second hand stands between 4 and 6 o'clock,
# clear of the minute hand at 12 and the hour hand at 3.
fake_time "2026-03-04 03:00:20"
start_clock --options "$SESSION_DIR/Options.dat" "${FAKE_TIME[@]}"

docked() { read -r x y w _ < <(window_geometry "$APP_WIN") && [ $((x + w)) -eq 1280 ]; }
wait_for 20 docked || fail "the clock did not dock at the right edge"
read -r x y w _ < <(window_geometry "$APP_WIN")
# The dial fills the client area right of the 18 px bar: 174 x 178 px at
# (4 + 18, 4) in the window, so its centre is 87 px and 89 px into it.
dial="174x178+$((x + 22))+$((y + 4))"
cx=$((x + 22 + 87))
cy=$((y + 4 + 89))
# Radius: half the smaller side less 100 twips and the 4 px ring, 76 px;
# the hour hand is 0.65 of it (49.6 px), the minute hand 0.8 (61 px).
hour_end=48
minute_end=59

is_blue() { [[ $1 =~ ^([0-9]+),([0-9]+),([0-9]+)$ ]] && ((BASH_REMATCH[1] < 80 && BASH_REMATCH[2] < 80 && BASH_REMATCH[3] > 200)); }
is_red() { [[ $1 =~ ^([0-9]+),([0-9]+),([0-9]+)$ ]] && ((BASH_REMATCH[1] > 200 && BASH_REMATCH[2] < 80 && BASH_REMATCH[3] < 80)); }

shot "three-oclock"
p=$(pixel $((cx + hour_end)) "$cy")
echo "hour hand end ($((cx + hour_end)),$cy): $p"
is_blue "$p" || fail "no hour hand at 3 o'clock: $p"
p=$(pixel $((cx + hour_end + 4)) "$cy")
is_blue "$p" && fail "the hour hand runs past its length: $p"
p=$(pixel $((cx - hour_end)) "$cy")
is_blue "$p" && fail "an hour hand at 9 o'clock: $p"
for d in 30 "$minute_end"; do
    p=$(pixel "$cx" $((cy - d)))
    echo "minute hand, $d px above the centre: $p"
    is_red "$p" || fail "no minute hand at 12, $d px above the centre: $p"
done
p=$(pixel "$cx" $((cy - minute_end - 4)))
is_red "$p" && fail "the minute hand runs past its length: $p"

# The second hand moves: the dial changes within a little more than a second.
grab "$dial" "$SESSION_DIR/before.png"
moved() {
    grab "$dial" "$SESSION_DIR/after.png"
    [ "$(pixels_differing "$SESSION_DIR/before.png" "$SESSION_DIR/after.png")" -gt 0 ]
}
wait_for 15 moved || fail "the second hand did not move"
cp "$SESSION_DIR/before.png" "$ARTIFACTS/hands-dial-before.png"
cp "$SESSION_DIR/after.png" "$ARTIFACTS/hands-dial-after.png"
echo "PASS"
