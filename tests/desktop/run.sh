#!/usr/bin/env bash
# Runs the desktop scenarios in one session: every function named
# scenario_NAME in the scenario files, in their order, or only the NAMEs
# given. Each runs in a subshell that stops the programs it started; a
# failure saves a screenshot as ARTIFACTS/NAME-failure.png and is listed
# at the end, and any failure fails the run.
#   run.sh [NAME...]      (TICKORA, ARTIFACTS, BUILD_DIR in the environment)
set -uo pipefail
here=$(dirname "$0")
. "$here/session.sh"
for file in scenarios.sh a11y.sh timejumps.sh badenv.sh package.sh; do . "$here/$file"; done
trap stop_session EXIT
SCENARIO=session
start_session

names=("$@")
[ "${#names[@]}" -gt 0 ] || mapfile -t names < <(declare -F | sed -n 's/^declare -f scenario_//p')
failed=()
for SCENARIO in "${names[@]}"; do
    echo "--- $SCENARIO"
    start=$(date +%s)
    (
        set -e
        SCENARIO_PIDS=()
        CLOCK_ENV=()
        trap 'for pid in "${SCENARIO_PIDS[@]}"; do kill_tree "$pid"; done' EXIT
        xdotool mousemove 640 512
        "scenario_$SCENARIO"
    )
    if [ $? -eq 0 ]; then echo "ok $SCENARIO ($(($(date +%s) - start)) s)"; else failed+=("$SCENARIO"); fi
done
[ "${#failed[@]}" -eq 0 ] || { echo "FAILED scenarios: ${failed[*]}" >&2; exit 1; }
echo "PASS: ${#names[@]} scenarios"
