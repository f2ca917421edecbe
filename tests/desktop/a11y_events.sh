#!/usr/bin/env bash
# The notifications assistive technology gets, counted where Qt sends them:
# on X11 with accessibility on. The unit tests that count them skip when
# headless; here they must run and pass.
. "$(dirname "$0")/session.sh"
. "$(dirname "$0")/a11y.sh"
start_session
start_a11y
[ -x "${TST_ACCESSIBILITY:-}" ] || fail "TST_ACCESSIBILITY is not set to the unit test"
out=$(QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TST_ACCESSIBILITY" \
        dialAnnouncesOnlyANewMinute panelLabelsAnnounceAtMostOnceAMinute colourBoxAnnouncesOnlyAChange 2>&1) \
    || { echo "$out" >&2; fail "the notification tests failed"; }
echo "$out"
! grep -q '^SKIP' <<<"$out" || fail "the notification tests were skipped: accessibility is not on"
[ "$(grep -c '^PASS   : tst_accessibility::[a-zA-Z]*Announce' <<<"$out")" -eq 3 ] || fail "not every notification test ran"
echo "PASS"
