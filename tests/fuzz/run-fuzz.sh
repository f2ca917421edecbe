#!/usr/bin/env bash
# Fuzzes the Options.dat reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, then merges what it found into the corpus
# that tst_optionscorpus replays. Not run by CI.
#   tests/fuzz/run-fuzz.sh [seconds]   (default 600)
# Prints the executions per second and the coverage of the last status line.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
build=build-fuzz
corpus=tests/settings/corpus

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTICKORA_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all" \
    >/dev/null
cmake --build "$build" --target fuzz_optionsfile -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/found" "$work/merged"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# -timeout: an input that takes more than a second is a hang.
"$build/settings/fuzz_optionsfile" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=1024 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work/found" "$corpus" 2>&1 | tee "$work/log" | grep -E '^#[0-9]+.*(pulse|DONE)|stat::|ERROR|SUMMARY' || true

if ls "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-* >/dev/null 2>&1; then
    mkdir -p "$build/artifacts"
    cp "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-* "$build/artifacts/" 2>/dev/null || true
    echo "FAILED: artifacts in $build/artifacts" >&2
    exit 1
fi

# Keep the smallest set of inputs that covers what the run and the corpus
# reach, named by content; the hand-written seeds stay as they are.
"$build/settings/fuzz_optionsfile" -merge=1 "$work/merged" "$corpus" "$work/found" >/dev/null 2>&1
rm -f "$corpus"/fuzz-*.dat
for f in "$work/merged"/*; do
    name=$(basename "$f")
    if ! cmp -s "$f" /dev/null && ! find "$corpus" -type f -exec cmp -s "$f" {} \; -print | grep -q .; then
        cp "$f" "$corpus/fuzz-${name:0:16}.dat"
    fi
done

last=$(grep -E '^#[0-9]+' "$work/log" | tail -1)
echo "last status: $last"
echo "execs/s: $(grep -E 'stat::average_exec_per_sec' "$work/log" | awk '{print $2}')"
echo "total execs: $(grep -E 'stat::number_of_executed_units' "$work/log" | awk '{print $2}')"
echo "corpus files: $(ls "$corpus" | wc -l)"
