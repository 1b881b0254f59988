#!/usr/bin/env bash
# Builds the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each briefly from its seed corpus.
#   tools/fuzz-smoke.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
ls fuzz/*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DVX_FUZZ=ON -DVX_SANITIZE=ON -DVX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc 2>/dev/null || echo 2)"
export ASAN_OPTIONS=detect_leaks=1:detect_odr_violation=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
for source in fuzz/*.cpp; do
    name=$(basename "$source" .cpp)
    corpus=$(mktemp -d)
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
    echo "-- fuzz_$name for ${seconds}s"
    log=$(mktemp)
    rc=0
    "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 "$corpus" >"$log" 2>&1 || rc=$?
    grep -E 'stat::number_of_executed_units' "$log" || true
    if [ "$rc" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz_$name failed"
        exit 1
    fi
    rm -f "$log"
    rm -rf "$corpus"
done
