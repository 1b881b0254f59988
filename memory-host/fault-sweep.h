#pragma once
// Runs a scenario once to count its host calls, then once per call with that
// call refused, and checks each run: nothing crashed, no lock left held or
// released twice, a log line of level 2 or more was written, and the page
// still answers.

#include "memory-host/memory-host.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace memory_host {

struct FaultSweepReport
{
    long calls = 0;                    // countable calls of the clean run
    std::vector<std::string> failures; // one line per broken expectation
    bool ok() const { return calls > 0 && failures.empty(); }
    std::string summary() const;
};

struct FaultSweep
{
    // Builds a fresh host with its fixture; called once per run.
    std::function<std::unique_ptr<MemoryHost>()> make_host;
    // Acts on the host (build a page, drive it, process events) and returns
    // whether the page still answers afterwards.
    std::function<bool(MemoryHost &)> scenario;
    // Refused calls whose failure the scenario may legitimately not log
    // (for example a read whose default is what the page needs anyway).
    std::function<bool(const Call &)> silent_ok;
    long max_runs = 100000;

    FaultSweepReport run() const;
};

} // namespace memory_host
