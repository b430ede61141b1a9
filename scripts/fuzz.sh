#!/usr/bin/env bash
# Runs the libFuzzer targets one after another, each for SECONDS, at the lowest priority,
# starting from the committed corpus. New inputs stay in BUILD/fuzz-work/<reader>/corpus;
# crashes land in BUILD/fuzz-work/<reader>/ as crash-*, leak-*, timeout-* files, to be
# minimised and committed into fuzz/corpus/<reader>/. Prints the executions of each target.
# Usage: scripts/fuzz.sh [BUILD] [SECONDS] [READER...]   (BUILD configured with TARNEL_FUZZ=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
readers=("$@")
if [ ${#readers[@]} -eq 0 ]; then
    for src in fuzz/*_fuzz.cpp; do readers+=("$(basename "$src" _fuzz.cpp)"); done
fi
for reader in "${readers[@]}"; do
    target="$build/fuzz/${reader}_fuzz"
    [ -x "$target" ] || { echo "$reader: no $target (build it first)" >&2; exit 1; }
    work="$build/fuzz-work/$reader"
    mkdir -p "$work/corpus"
    # -timeout: an input that takes a minute is a hang worth a report (on a busy machine at
    # the lowest priority, a few seconds' stall is not).
    options=()
    # The object-script target draws on llvmpipe, whose shader cache grows with every new GL
    # state: libFuzzer then sees more allocations than frees and scans the whole heap for
    # leaks after such inputs, which made it 14 times slower. Its reader is leak-checked by
    # the worlds and environments targets, its drawing by the sanitizer and valgrind runs.
    [ "$reader" = object_script ] && options+=(-detect_leaks=0)
    start=$(date +%s)
    nice -n 19 "$target" "$work/corpus" "fuzz/corpus/$reader" -max_total_time="$seconds" "${options[@]}" \
        -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/" \
        >"$work/log" 2>&1 || echo "$reader: FINDING, see $work/log" >&2
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n1)
    echo "$reader: ${runs:-?} executions in $(($(date +%s) - start)) s"
done
