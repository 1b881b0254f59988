#!/usr/bin/env bash
# Instructions per opening of every page and inserter dialog on the demo,
# large and huge servers under callgrind: the median of openings 2-5 (the
# first one fills caches), and the growth per 10x step of the server.
# Usage: bench/sandbox-pages-instructions.sh [build-dir [page]]
set -euo pipefail
build=${1:-build}
printf "%-18s %10s %10s %10s %10s %10s\n" "M instructions" demo large huge large/demo huge/large
"$(dirname "$0")/callgrind-counts.sh" "$build/bench/bench_sandbox_pages" ${2:-} | awk '
    $3 >= 2 { n = ++count[$1, $2]; value[$1, $2, n] = $4; pages[$1] = 1 }
    function median(p, s,    i, j, t, v, k) {
        k = count[p, s]
        for (i = 1; i <= k; ++i) v[i] = value[p, s, i]
        for (i = 1; i <= k; ++i) for (j = i + 1; j <= k; ++j)
            if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
    }
    END {
        for (p in pages) {
            d = median(p, "demo"); l = median(p, "large"); h = median(p, "huge")
            printf "%-18s %10.1f %10.1f %10.1f %10.1f %10.1f\n", p, d / 1e6, l / 1e6, h / 1e6,
                l / d, h / l
        }
    }' | sort
