#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a bounded time, starting from the
# committed corpus; prints each target's run time and executions and fails if any target crashed,
# leaked, hung or broke an invariant. The input that did it is kept in <build>/artifacts/<target>/.
#   FUZZ_SECONDS   time per target (default 45)
#   FUZZ_BUILD     build directory (default build-fuzz)
#   FUZZ_TARGETS   names to run (default: every tests/fuzz/*_fuzz.cpp)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-45}
build=${FUZZ_BUILD:-build-fuzz}
targets=${FUZZ_TARGETS:-$(for f in tests/fuzz/*_fuzz.cpp; do basename "$f" _fuzz.cpp; done)}

CC=clang CXX=clang++ cmake -S . -B "$build" -DFW_FUZZ=ON -DFW_GUI=OFF -DFW_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) >/dev/null

# Each target's scratch input goes in a folder of ours: libFuzzer can leave by _Exit, past cleanup.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
printf '%-16s %8s %12s  %s\n' target seconds executions result
for t in $targets; do
    work="$build/fuzz-work/$t" # new inputs go here, never into the repository
    artifacts="$build/artifacts/$t/"
    mkdir -p "$work" "$artifacts"
    dict=()
    [ -f "tests/fuzz/dict/$t.dict" ] && dict=(-dict="tests/fuzz/dict/$t.dict")
    log="$build/fuzz-$t.log"
    start=$(date +%s)
    rc=0
    TMPDIR=$scratch "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "${dict[@]}" \
        "$work" "tests/fuzz/corpus/$t" >"$log" 2>&1 || rc=$?
    elapsed=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    result=ok
    if [ "$rc" -ne 0 ]; then
        result="FAILED (exit $rc), input in $artifacts"
        failed=1
    fi
    printf '%-16s %8s %12s  %s\n' "$t" "$elapsed" "${runs:-?}" "$result"
    if [ "$rc" -ne 0 ]; then
        grep -E 'ERROR|SUMMARY|invariant failed|runtime error' "$log" | head -n 20 || true
    fi
done
exit "$failed"
