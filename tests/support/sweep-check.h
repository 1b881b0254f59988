#pragma once
// A fault sweep as one expectation: a fresh host per run, filled by the
// test's own fixture, the scenario refused call by call, the report clean.

#include "memory-host/fault-sweep.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

inline void expect_sweep_clean(const std::function<void(memory_host::MemoryTree &)> &fill,
                               const std::function<bool(memory_host::MemoryHost &)> &scenario,
                               long min_calls = 0)
{
    memory_host::FaultSweep sweep;
    sweep.make_host = [fill] {
        auto host = std::make_unique<memory_host::MemoryHost>();
        fill(host->tree());
        return host;
    };
    sweep.scenario = scenario;
    const memory_host::FaultSweepReport report = sweep.run();
    EXPECT_TRUE(report.ok()) << report.summary();
    EXPECT_GT(report.calls, min_calls);
}
