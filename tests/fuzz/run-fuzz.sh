#!/usr/bin/env bash
# Fuzzes the file readers with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, then merges what each run found into the
# corpus its unit test replays: the Options.dat reader (tests/settings/corpus,
# tst_settings) and the iCalendar reader (tests/agenda/corpus, tst_agenda).
# Not run by CI.
#   tests/fuzz/run-fuzz.sh [seconds per reader]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTICKORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target fuzz_optionsfile fuzz_icsreader -j2 >/dev/null
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# fuzz <program> <corpus> <extension> <max input length>
fuzz() {
    local program=$1 corpus=$2 ext=$3 max_len=$4
    local work
    work=$(mktemp -d)
    mkdir -p "$work/found" "$work/merged" "$build/artifacts"
    # -timeout: an input that takes more than a second is a hang.
    "$program" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=1024 -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$work/found" "$corpus" 2>&1 \
        | grep -E '^#[0-9]+.*(pulse|DONE)|stat::|ERROR|SUMMARY' || true
    ! ls "$build"/artifacts/{crash,timeout,leak,oom}-* 2>/dev/null || { echo "FAILED: artifacts in $build/artifacts" >&2; exit 1; }
    # Keep the smallest set of inputs that covers what the run and the corpus
    # reach, named by content; the hand-written seeds stay as they are.
    "$program" -merge=1 "$work/merged" "$corpus" "$work/found" >/dev/null 2>&1
    rm -f "$corpus"/fuzz-*."$ext"
    for f in "$work/merged"/*; do
        if [ -s "$f" ] && ! find "$corpus" -type f -exec cmp -s "$f" {} \; -print | grep -q .; then
            cp "$f" "$corpus/fuzz-$(basename "$f" | cut -c1-16).$ext"
        fi
    done
    rm -rf "$work"
    echo "$corpus: $(ls "$corpus" | wc -l) files"
}

seconds=${1:-600}
fuzz "$build/settings/fuzz_optionsfile" tests/settings/corpus dat 4096
fuzz "$build/agenda/fuzz_icsreader" tests/agenda/corpus ics 16384
