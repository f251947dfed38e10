#!/usr/bin/env bash
# Generates the benchmark logs once into a cache outside the source tree (regenerated only
# when the generator's sources change) and runs the benchmarks on them.
# usage: bench/run-bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/.." && pwd)
cache=${LORVANEL_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lorvanel-bench}
key=$(cat "$src"/tools/loggen/*.h "$src"/tools/loggen/*.cpp | sha1sum | cut -c1-12)
mkdir -p "$cache"
# Logs of an older generator are of no further use.
find "$cache" -maxdepth 1 -name 'log-*' ! -name "log-$key-*" -delete

# gen NAME FORMAT MB DAYS [--split K]: writes $cache/log-$key-NAME (or its parts .1 .. .K).
gen() {
    local name=$1 format=$2 mb=$3 days=$4
    shift 4
    local out="$cache/log-$key-$name"
    [ -f "$out.done" ] && return 0
    echo "Generating $out ($mb MB, format $format)"
    "$build/tools/loggen/lorvanel-loggen" --format "$format" --size-mb "$mb" --days "$days" \
        --seed bench --start 2008-01-01 "$@" -o "$out"
    touch "$out.done"
}
gen jane-200.txt 1 200 3650
gen jane-100.txt 1 100 1825
gen hotzonu-200.txt 8 200 3650
gen hotzonu-100.txt 8 100 1825
gen jane-200-split.txt 1 200 3650 --split 4
gen jdim-200.txt 9 200 3650

# The logs hold Japan time; the analysis groups posts by the same zone.
export TZ=Asia/Tokyo
"$build/bench/lorvanel-bench" --cli "$build/lorvanel-cli" \
    --jane "$cache/log-$key-jane-200.txt" --jane-half "$cache/log-$key-jane-100.txt" \
    --hotzonu "$cache/log-$key-hotzonu-200.txt" --hotzonu-half "$cache/log-$key-hotzonu-100.txt" \
    --split "$cache/log-$key-jane-200-split.txt" --jdim "$cache/log-$key-jdim-200.txt" \
    --demo "$src/resources/samples/demo-jane.txt" ${LORVANEL_BENCH_ONLY:+--only "$LORVANEL_BENCH_ONLY"} \
    $([ -x "$build/lorvanel" ] && echo --program "$build/lorvanel") \
    ${LORVANEL_BENCH_RUNS:+--runs "$LORVANEL_BENCH_RUNS"}

# The main window offscreen on the two 200 MB logs, each in a fresh process of its own so
# that its peak memory is the window's alone (built only with the GUI).
if [ -n "${LORVANEL_BENCH_ONLY:-}" ]; then
    :   # only the named part of lorvanel-bench
elif [ -x "$build/bench/gui/lorvanel-gui-bench" ]; then
    for log in "Jane 200 MB:jane-200.txt" "format 8 200 MB:hotzonu-200.txt"; do
        QT_QPA_PLATFORM=offscreen "$build/bench/gui/lorvanel-gui-bench" --name "${log%%:*}" \
            --log "$cache/log-$key-${log#*:}" ${LORVANEL_BENCH_RUNS:+--runs "$LORVANEL_BENCH_RUNS"}
    done
else
    echo
    echo "The window's benchmark was not built (no GUI in $build)."
fi
