#!/usr/bin/env bash
# Runs the desktop scenarios in one session: every function scenario_NAME
# of the scenario files sourced below, by name, or only the NAMEs given.
# Each runs in a subshell that stops the programs it started; a failure
# leaves ARTIFACTS/NAME-failure.png, is listed at the end and fails the run.
#   run.sh [NAME...]      (TICKORA, ARTIFACTS, BUILD_DIR in the environment)
set -uo pipefail
here=$(dirname "$0")
. "$here/session.sh"
for file in scenarios.sh a11y.sh timejumps.sh badenv.sh package.sh launch.sh wm.sh calendar.sh worldclock.sh agenda.sh; do . "$here/$file"; done
trap stop_session EXIT
SCENARIO=session
start_session

names=("$@")
[ "${#names[@]}" -gt 0 ] || mapfile -t names < <(declare -F | sed -n 's/^declare -f scenario_//p')
failed=()
for SCENARIO in "${names[@]}"; do
    echo "--- $SCENARIO"
    start=$(date +%s)
    rm -f "$ARTIFACTS/$SCENARIO-failure.png"
    (
        set -e
        SCENARIO_PIDS=()
        CLOCK_ENV=()
        trap 'for pid in "${SCENARIO_PIDS[@]}"; do kill_tree "$pid"; done' EXIT
        xdotool mousemove 640 512
        write_offset # the real time of day unless the scenario sets one
        "scenario_$SCENARIO"
    )
    if [ $? -eq 0 ]; then
        echo "ok $SCENARIO ($(($(date +%s) - start)) s)"
    else
        failed+=("$SCENARIO")
        [ -e "$ARTIFACTS/$SCENARIO-failure.png" ] || shot failure # stopped by an error, not by fail
    fi
done
[ "${#failed[@]}" -eq 0 ] || { echo "FAILED scenarios: ${failed[*]}" >&2; exit 1; }
echo "PASS: ${#names[@]} scenarios"
