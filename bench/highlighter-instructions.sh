#!/usr/bin/env bash
# Instruction counts of bench_highlighter's variants under callgrind: the
# whole 10,000-line script once, then one keystroke in its middle.
# Usage: bench/highlighter-instructions.sh [build-dir]
set -euo pipefail
build=${1:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --collect-atstart=no \
    --callgrind-out-file="$out/cg.out" "$build/bench/bench_highlighter" --instructions \
    >/dev/null 2>"$out/valgrind.log" || { cat "$out/valgrind.log"; exit 1; }
for f in "$out"/cg.out.*; do
    name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")
    total=$(sed -n 's/^summary: //p;s/^totals: //p' "$f" | head -n 1)
    echo "$name $total"
done | awk '
    { part = $1; variant = $2; count[part, variant] = $3; parts[part] = 1; names[variant] = 1 }
    END {
        for (part in parts) {
            base = count[part, "literal"]
            printf "%s (instructions, ratio to the literal rules):\n", part
            for (v in names)
                if ((part, v) in count)
                    printf "  %-22s %14d  %7.4f\n", v, count[part, v], count[part, v] / base
        }
    }'
