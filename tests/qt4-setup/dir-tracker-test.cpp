#include "qt4-setup/src/dir-tracker.h"
#include "tests/support/page-fixture.h"

#include <QPointer>
#include <QSignalSpy>
#include <thread>

using namespace memory_host;
using Rizurividuvez::Dir;

namespace {

const char *const dir = "/DEMO/x";

class Tracker : public PageTest
{
protected:
    void SetUp() override
    {
        tree.make_folder("/DEMO/x/old");
        tracker = QDirTracker::create("QTestTracker", tree.folder(dir));
        record();
    }

    static QString text(const QString &path) { return path; }
    static QString text(const Settings &f) { return "*" + QString::fromStdString(f->name()); }

    // Every signal reaches the test through the event queue, as pages take them.
    void record()
    {
        auto on = [this](auto signal, const char *tag) {
            QObject::connect(
                tracker.get(), signal, &context,
                [this, tag](const auto &...args) {
                    QStringList line{tag};
                    (line << ... << text(args));
                    events << line.join(' ');
                },
                Qt::QueuedConnection);
        };
        using Pair = const Settings &;
        on(qOverload<QString>(&QDirTracker::values_changed), "values");
        on(qOverload<const Settings &>(&QDirTracker::values_changed), "values");
        on(qOverload<QString, QString>(&QDirTracker::subdir_added), "added");
        on(qOverload<Pair, Pair>(&QDirTracker::subdir_added), "added");
        on(qOverload<QString, QString>(&QDirTracker::subdir_removed), "removed");
        on(qOverload<Pair, Pair>(&QDirTracker::subdir_removed), "removed");
        on(&QDirTracker::folder_effective_rights_changed, "child rights");
        on(&QDirTracker::effective_rights_changed, "rights");
        on(&QDirTracker::dir_erased, "erased");
    }

    boost::shared_ptr<QDirTracker> tracker;
    QObject context;
    QStringList events;
};

TEST_F(Tracker, EveryNotificationArrivesAsItsSignalsThroughTheQueue)
{
    QSignalSpy folders(tracker.get(), qOverload<const Settings &>(&QDirTracker::values_changed));
    ASSERT_TRUE(tracker->subscribe(Dir::ALL));
    tree.put_string(dir, "key", "value");
    tree.make_folder("/DEMO/x/new");
    tree.set_rights("/DEMO/x/new", 8);
    tree.set_rights(dir, 8);
    tree.erase("/DEMO/x/old");
    EXPECT_TRUE(events.isEmpty());
    settle_events();
    EXPECT_EQ(QStringList({"added /DEMO/x old", "added *x *old", "values /DEMO/x", "values *x",
                           "added /DEMO/x new", "added *x *new", "child rights /DEMO/x new",
                           "rights /DEMO/x", "removed /DEMO/x old", "removed *x *old"}),
              events);
    ASSERT_EQ(1, folders.count());
    EXPECT_EQ(tree.folder(dir), folders[0][0].value<Settings>());

    // Called as the host calls it, on a folder that still has its path.
    static_cast<Dir::Notification &>(*tracker).erased(tree.folder(dir));
    settle_events();
    EXPECT_EQ("erased /DEMO/x", events.last());
}

TEST_F(Tracker, RefusalsAreLoggedAndSkipOnlyWhatTheyConcern)
{
    tree.fail_calls(FaultRule{"subscribe", "", "", 1, "no rights"});
    EXPECT_FALSE(tracker->subscribe(Dir::OWN_VALUES));
    tree.put_string(dir, "key", "value");
    settle_events();
    EXPECT_TRUE(events.isEmpty());

    ASSERT_TRUE(tracker->subscribe(Dir::OWN_VALUES));
    tree.fail_calls(FaultRule{"path", dir, "", -1, "folder gone"});
    tree.put_string(dir, "key", "other");
    settle_events();
    EXPECT_EQ(QStringList{"values *x"}, events);
}

TEST_F(Tracker, TheLastReferenceDeletesOnlyOnTheTrackersThread)
{
    QPointer<QDirTracker> alive(tracker.get());
    std::thread([moved = std::move(tracker)]() mutable { moved.reset(); }).join();
    EXPECT_TRUE(alive) << "deleted off its thread";
    settle_events();
    EXPECT_FALSE(alive);

    auto local = QDirTracker::create("QTestTracker", tree.folder(dir));
    alive = local.get();
    local.reset();
    EXPECT_FALSE(alive);
}

} // namespace
