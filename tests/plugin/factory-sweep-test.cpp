// Every page type opened as the host opens it, through the factory the
// plug-in registered, with each host call refused in turn: the refusal
// itself reaches the log (at any level), no lock is left behind.

#include "memory-host/fault-sweep.h"
#include "plugin/entry.h"
#include "tests/support/page-fixture.h"
#include "tests/support/tree-file.h"

#include <QDir>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

using memory_host::MemoryHost;

// The stock page reads its file from the host's stock folder.
void stock_file(MemoryHost &host)
{
    const QString folder = QString::fromStdString(host.stock_directory()) + "/scripts-stock";
    QDir().mkpath(folder);
    QFile file(folder + "/guard.py");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# Disk space guard\ncheck()\n");
}

TEST(FactorySweep, EveryRefusedCallOfOpeningAnyPageTypeIsLogged)
{
    const struct
    {
        const char *type, *tree_file, *path;
        void (*extra)(MemoryHost &);
    } cases[] = {
        {"ScriptFolder", "scripts-folder/server.json", "/DEMO/scripts", nullptr},
        {"Rule", "rule/page-tree.json", "/DEMO/scripts/r2", nullptr},
        {"Schedule", "schedule/server.json", "/DEMO/scripts/sch1", nullptr},
        {"EmailAccount", "email/accounts.json", "/DEMO/scripts/acc1", nullptr},
        {"TemplateLoop", "loop/server.json", "/DEMO/scripts/loop1", nullptr},
        {"Script", "script/page.json", "/DEMO/scripts/s1", nullptr},
        {"CloudScript", "script/cloud.json", "/DEMO/scripts/c1", nullptr},
        {"StockScript", "script/stock.json", "/DEMO/scripts/s1", stock_file},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        std::vector<std::string> unlogged;
        memory_host::FaultSweep sweep;
        sweep.make_host = [&] {
            auto host = std::make_unique<MemoryHost>();
            load_tree_file(host->tree(), c.tree_file);
            if (c.extra)
                c.extra(*host);
            return host;
        };
        sweep.scenario = [&](MemoryHost &host) {
            vx_init(&host);
            vx_after_load();
            RecordingNavigator navigator;
            std::unique_ptr<QWidget> page(host.pages().factory(c.type)->create(
                &navigator, host.tree().folder(c.path), host.server_root()));
            settle_events();
            for (const memory_host::Call &call : host.tree().calls())
                if (call.value == "<refused>" && !host.log().contains("access denied"))
                    unlogged.push_back(call.op + " " + call.path + " " + call.key);
            page.reset();
            settle_events();
            vx_done();
            return true;
        };
        // Whether a refusal is logged at level 2 is the page's own sweep's
        // business; here it must be logged at all.
        sweep.silent_ok = [](const memory_host::Call &) {
            return true;
        };
        const memory_host::FaultSweepReport report = sweep.run();
        EXPECT_TRUE(report.ok()) << report.summary();
        EXPECT_EQ(std::vector<std::string>(), unlogged);
    }
}

} // namespace
