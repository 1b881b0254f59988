#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the same again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
#   ./test.sh          both passes
#   ./test.sh --quick  the plain pass only
set -euo pipefail
cd "$(dirname "$0")"

quick=0
[ "${1:-}" = "--quick" ] && quick=1
jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

tools/install-deps.sh

echo "== build (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
(cd build && ctest --output-on-failure -j"$jobs")

if [ "$quick" = 1 ]; then
    exit 0
fi

echo "== build with sanitizers (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON -DVX_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
cmake --build build-asan -j"$jobs"
echo "== tests with sanitizers"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j"$jobs")
if [ -x tools/fuzz-smoke.sh ]; then
    echo "== short fuzz runs"
    tools/fuzz-smoke.sh
fi
