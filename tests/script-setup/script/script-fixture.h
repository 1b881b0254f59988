#pragma once
// A page of the plug-in on the test's host, test files read and written,
// and the fault sweep over a page's life.

#include "memory-host/fault-sweep.h"
#include "plugin/entry.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <functional>
#include <memory>

// A page of the plug-in's own kind, made by the test, with the plug-in
// initialised on the test's host for its life.
template <class Page> class PluginPage : public PageTest
{
protected:
    PluginPage() { vx_init(&host); }
    ~PluginPage() override
    {
        page.reset();
        vx_done();
    }
    template <class W> W *get(const char *name) { return child<W>(page.get(), name); }
    void click(const char *name)
    {
        QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton);
        settle_events();
    }

    // The editors of the parameters form, in their order.
    template <class W> QList<W *> in_form()
    {
        QWidget *form = get<QScrollArea>("parameters_area")->widget();
        return form ? form->findChildren<W *>(QString(), Qt::FindDirectChildrenOnly) : QList<W *>();
    }
    // The keys saved, in their order.
    std::vector<std::string> written_keys()
    {
        std::vector<std::string> keys;
        for (const auto &c : tree.calls())
            if (c.op == "set_string" || c.op == "set_integer")
                keys.push_back(c.key);
        return keys;
    }

    std::unique_ptr<Page> page;
};

// The file's bytes, or "<missing>".
inline QByteArray read_file(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
inline QString script_data(const char *name)
{
    return QStringLiteral(VX_TEST_DATA_DIR "/script/") + QLatin1String(name);
}

// Writes the file, making its folder first.
inline void write_file(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Refuses each host call of the scenario in turn on a host filled by `fill`.
// Failures the page logs at level 1 (the operator loses nothing) may go
// without a level-2 line, and so may the auto-connect's probes of a key.
inline void expect_faults_survived(const std::function<void(memory_host::MemoryHost &)> &fill,
                                   const std::function<bool(memory_host::MemoryHost &)> &scenario,
                                   std::initializer_list<const char *> level1_lines, long min_calls)
{
    memory_host::MemoryHost *current = nullptr;
    memory_host::FaultSweep sweep;
    sweep.make_host = [&] {
        auto host = std::make_unique<memory_host::MemoryHost>();
        fill(*host);
        current = host.get();
        return host;
    };
    sweep.scenario = [&](memory_host::MemoryHost &host) {
        vx_init(&host);
        return scenario(host);
    };
    sweep.silent_ok = [&](const memory_host::Call &c) {
        for (const char *line : level1_lines)
            if (current->log().contains(line, 1))
                return true;
        return c.op == "value_type" || c.op == "key_writable";
    };
    const memory_host::FaultSweepReport report = sweep.run();
    vx_init(nullptr);
    EXPECT_TRUE(report.ok()) << report.summary();
    EXPECT_GT(report.calls, min_calls);
}
