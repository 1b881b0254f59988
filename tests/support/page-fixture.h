#pragma once
// Common ground of the page tests: an in-memory host whose log sink the
// plug-in writes to, and helpers to let queued signals arrive.

#include "memory-host/memory-host.h"
#include "tests/support/recording-navigator.h"
#include "utils/logging.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

inline void settle_events()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class PageTest : public ::testing::Test
{
protected:
    PageTest() { logging_facility::set_sink(host.log_sink()); }
    ~PageTest() override
    {
        settle_events();
        EXPECT_EQ(0, host.tree().lock_balance());
        EXPECT_TRUE(host.tree().lock_violations().empty());
        logging_facility::set_sink({});
    }

    memory_host::MemoryHost host;
    memory_host::MemoryTree &tree = host.tree();
    RecordingNavigator navigator;
};
