#!/usr/bin/env bash
# Opacity from the file: with Translucent=255 the dial's face shows its own
# colour; with Translucent=128 the blue desktop shows through it.
. "$(dirname "$0")/session.sh"
start_session

geometry() { read -r x y w _ < <(window_geometry "$APP_WIN"); }
docked() { geometry && [ $((x + w)) -eq 1280 ]; }
# The commonest colour of a patch of the face between the centre and the 7
# and 8 marks, where at most a hand crosses it.
face_colour() {
    import -silent -window root -crop "20x20+$((x + 22 + 87 - 45))+$((y + 4 + 89 + 20))" -depth 8 txt:- \
        | sed -n '2,$s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
        | sort | uniq -c | sort -rn | head -n1 | sed 's/^ *[0-9]* //'
}
run_with() {
    options_with AutoHide=0 Translucent="$1" >"$SESSION_DIR/Options.dat"
    start_clock --options "$SESSION_DIR/Options.dat"
    wait_for 20 docked || fail "the clock did not dock at the right edge: x $x"
}

run_with 255
read -r r g b < <(face_colour)
echo "opaque face: $r,$g,$b"
[ "$r,$g,$b" != "0,0,255" ] || fail "the opaque window shows the desktop"
shot "opaque"
kill "$APP_PID"
wait "$APP_PID" || true

# Alpha 128 of 255 over the blue root (0, 0, 255).
run_with 128
blend() { echo $((($1 * 128 + $2 * 127) / 255)); }
er=$(blend "$r" 0)
eg=$(blend "$g" 0)
eb=$(blend "$b" 255)
near() { [ $(($1 - $2)) -le 6 ] && [ $(($2 - $1)) -le 6 ]; }
translucent() {
    read -r tr tg tb < <(face_colour)
    near "$tr" "$er" && near "$tg" "$eg" && near "$tb" "$eb"
}
wait_for 20 translucent || fail "the face reads $tr,$tg,$tb, expected about $er,$eg,$eb"
echo "translucent face: $tr,$tg,$tb (expected about $er,$eg,$eb)"
shot "translucent"
echo "PASS"
