#!/usr/bin/env bash
# Fuzzes the Options.dat reader with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, then merges what it found into the corpus that
# tst_settings replays. Not run by CI.
#   tests/fuzz/run-fuzz.sh [seconds]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-fuzz
corpus=tests/settings/corpus
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTICKORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all" >/dev/null
cmake --build "$build" --target fuzz_optionsfile -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/found" "$work/merged" "$build/artifacts"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# -timeout: an input that takes more than a second is a hang.
"$build/settings/fuzz_optionsfile" -max_total_time="${1:-600}" -timeout=1 -rss_limit_mb=1024 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$work/found" "$corpus" 2>&1 \
    | grep -E '^#[0-9]+.*(pulse|DONE)|stat::|ERROR|SUMMARY' || true
! ls "$build"/artifacts/{crash,timeout,leak,oom}-* 2>/dev/null || { echo "FAILED: artifacts in $build/artifacts" >&2; exit 1; }
# Keep the smallest set of inputs that covers what the run and the corpus
# reach, named by content; the hand-written seeds stay as they are.
"$build/settings/fuzz_optionsfile" -merge=1 "$work/merged" "$corpus" "$work/found" >/dev/null 2>&1
rm -f "$corpus"/fuzz-*.dat
for f in "$work/merged"/*; do
    if [ -s "$f" ] && ! find "$corpus" -type f -exec cmp -s "$f" {} \; -print | grep -q .; then
        cp "$f" "$corpus/fuzz-$(basename "$f" | cut -c1-16).dat"
    fi
done
echo "corpus files: $(ls "$corpus" | wc -l)"
