#!/usr/bin/env bash
# Runs a benchmark program's --instructions mode under callgrind and prints
# one line per dump: its name, then the instructions counted.
# Usage: bench/callgrind-counts.sh PROGRAM [ARGUMENT...]
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --collect-atstart=no \
    --callgrind-out-file="$out/cg.out" "$1" --instructions "${@:2}" \
    >/dev/null 2>"$out/valgrind.log" || { cat "$out/valgrind.log" >&2; exit 1; }
for f in "$out"/cg.out.*; do
    name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")
    total=$(sed -n 's/^summary: //p;s/^totals: //p' "$f" | head -n 1)
    echo "$name $total"
done
