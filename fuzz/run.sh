#!/usr/bin/env bash
# Runs every fuzz target for a bounded time over its committed seeds and prints, per target,
# the executions, the corpus size reached and whether it found a fault. Inputs the fuzzer
# finds go to BUILD/fuzz-corpus/<target>/ (the committed seeds stay untouched) and faulty
# inputs to BUILD/fuzz-artifacts/. Usage: run.sh BUILD_DIR SECONDS_PER_TARGET
# FUZZ_SEED, when set, fixes libFuzzer's seed so that a run explores the same inputs again.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-45}
status=0
summary=()
# The longest input each target is given: enough for several posts, files or sections, and
# short enough that a run takes well under a millisecond, so that every target makes more
# than a thousand runs a second. Targets not named keep libFuzzer's 64 KiB.
max_len_of() {
    case $1 in
        GraphFuzzer | IniFuzzer | KeywordsFuzzer) echo 4096 ;;
        LoaderFuzzer | LogReaderFuzzer) echo 8192 ;;
        *) echo 65536 ;;
    esac
}
# The graph target allocates series of megabytes a run and frees them at once: with
# AddressSanitizer's default 256 MB quarantine every run touches fresh pages, which cost it
# more than half its time. A smaller quarantine still holds a freed block for dozens of runs.
asan_options_of() {
    local options=detect_leaks=1:abort_on_error=1
    case $1 in
        GraphFuzzer) echo "$options:quarantine_size_mb=16:malloc_context_size=10" ;;
        *) echo "$options" ;;
    esac
}
for src in fuzz/*Fuzzer.cpp; do
    name=$(basename "$src" .cpp)
    exe="$build/fuzz/$name"
    work="$build/fuzz-corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    log="$build/fuzz-logs/$name.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")" "fuzz/corpus/$name"
    echo "== $name: $seconds s"
    ASAN_OPTIONS=${ASAN_OPTIONS:-$(asan_options_of "$name")} \
    UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
        "$exe" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len="$(max_len_of "$name")" \
        ${FUZZ_SEED:+-seed="$FUZZ_SEED"} \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$name" \
        >"$log" 2>&1
    rc=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    units=$(grep -o 'corp: [0-9]*/[0-9a-zA-Z]*' "$log" | tail -1)
    if [ $rc -eq 0 ]; then
        result="no fault"
    else
        result="FAULT (exit $rc), see $log"
        status=1
        tail -n 40 "$log"
    fi
    rate=$(sed -n 's/.*DONE .*exec\/s: \([0-9]*\).*/\1/p' "$log" | tail -1)
    summary+=("$(printf '%-22s %10s executions %6s/s  %-18s %s' "$name" "${execs:-?}" "${rate:-?}" "${units:-}" "$result")")
done
echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
exit $status
