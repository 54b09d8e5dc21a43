#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build-fuzz/) and runs each for SECONDS
# (default 20). Corpora grow in build-fuzz/corpus/<target>; a crash or a failed
# invariant leaves its input in build-fuzz/crashes/ and fails the run.
#   fuzz/run.sh 20        the short pass of ./test.sh
#   fuzz/run.sh 600       the long run (10 minutes a target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build_dir=${QLR_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S fuzz -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
mkdir -p "$build_dir/crashes"
for target in "$build_dir"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build_dir/corpus/$name"
    mkdir -p "$corpus"
    dict=(); [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    if "$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
            -artifact_prefix="$build_dir/crashes/$name-" -print_final_stats=1 \
            >"$build_dir/$name.log" 2>&1; then
        echo "fuzz $name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build_dir/$name.log" | grep -o '[0-9]*$') runs, no fault"
    else
        echo "fuzz $name: FAULT (see $build_dir/$name.log and $build_dir/crashes/)" >&2
        tail -n 30 "$build_dir/$name.log" >&2
        status=1
    fi
done
exit $status
