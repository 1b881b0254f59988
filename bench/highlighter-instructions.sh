#!/usr/bin/env bash
# Instruction counts of bench_highlighter's variants under callgrind: loading
# the 10,000-line script, one slice of the product's colouring, the whole
# script coloured once, then one keystroke in its middle.
# Usage: bench/highlighter-instructions.sh [build-dir]
set -euo pipefail
build=${1:-build}
"$(dirname "$0")/callgrind-counts.sh" "$build/bench/bench_highlighter" | awk '
    { part = $1; variant = $2; count[part, variant] = $3; parts[part] = 1; names[variant] = 1 }
    END {
        for (part in parts) {
            base = count[part, "literal"]
            printf "%s (instructions, ratio to the literal rules):\n", part
            for (v in names)
                if ((part, v) in count && base)
                    printf "  %-22s %14d  %7.4f\n", v, count[part, v], count[part, v] / base
                else if ((part, v) in count)
                    printf "  %-22s %14d\n", v, count[part, v]
        }
    }'
