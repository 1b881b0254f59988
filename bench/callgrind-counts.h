#pragma once
// Callgrind's client requests, or nothing where valgrind's headers are
// missing: the --instructions runs of the benchmarks dump one count per part.

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_DUMP_STATS_AT(name) (void)(name)
#endif
