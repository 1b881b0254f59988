#include "memory-host/memory-host.h"

#include <QCoreApplication>
#include <QDir>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <QRegularExpression>
#include <set>
#include <thread>

using namespace memory_host;
using Rizurividuvez::access_denied_error;
using Rizurividuvez::Dir;

namespace {

// Records every notification as one line of text.
struct Recorder : Dir::Notification
{
    Recorder()
        : Dir::Notification("Recorder")
    {}
    std::vector<std::string> events;
    void subdir_added(Settings p, Settings c) override
    {
        events.push_back("added " + p->path() + " " + c->name());
    }
    void subdir_removed(Settings p, Settings c) override
    {
        events.push_back("removed " + p->path() + " " + c->name());
    }
    void subdir_rights_changed(Settings p, Settings c) override
    {
        events.push_back("child rights " + p->path() + " " + c->name());
    }
    void values_changed(Settings f) override { events.push_back("values " + f->path()); }
    void rights_changed(Settings f) override { events.push_back("rights " + f->path()); }
    void erased(Settings f) override { events.push_back("erased " + f->path()); }
};

class MemoryTreeTest : public ::testing::Test
{
protected:
    MemoryHost host;
    MemoryTree &tree = host.tree();
};

TEST_F(MemoryTreeTest, KeysAreTypedAndReportedAsTheHostDoes)
{
    tree.put_string("/DEMO/scripts/r1", "name", "Night watch");
    tree.put_integer("/DEMO/scripts/r1", "enable", 1);
    tree.put_real("/DEMO/scripts/r1", "ratio", 0.5);
    tree.put_string("/DEMO/scripts/r1", "hidden", "x");
    tree.set_bindable("/DEMO/scripts/r1", "hidden", false);
    Settings f = tree.folder("/DEMO/scripts/r1");
    ASSERT_TRUE(f);
    EXPECT_EQ('s', f->value_type("name"));
    EXPECT_EQ('i', f->value_type("enable"));
    EXPECT_EQ('r', f->value_type("ratio"));
    EXPECT_EQ(' ', f->value_type("missing"));
    EXPECT_EQ(0, f->value_type("hidden"));
    EXPECT_EQ("Night watch", f->get_string("name"));
    EXPECT_EQ(1, f->get_integer("enable"));
    EXPECT_EQ("fallback", f->get_string_or("missing", "fallback"));
    EXPECT_EQ(7, f->get_integer_or("missing", 7));
    EXPECT_EQ(7, f->get_integer_or("name", 7)) << "text is no integer";
    EXPECT_DOUBLE_EQ(0.5, f->get_double_or("ratio", 2.0));
    EXPECT_THROW(f->get_string("missing"), access_denied_error);
    EXPECT_THROW(f->get_integer("name"), access_denied_error);
    EXPECT_EQ((std::vector<std::string>{"enable", "hidden", "name", "ratio"}), f->list_keys());
}

TEST_F(MemoryTreeTest, ReadOnlyKeysRefuseWritesAndKeepTheirValue)
{
    tree.put_string("/DEMO/a", "name", "old");
    tree.set_writable("/DEMO/a", "name", false);
    Settings f = tree.folder("/DEMO/a");
    EXPECT_FALSE(f->key_writable("name"));
    EXPECT_TRUE(f->key_writable("other"));
    EXPECT_THROW(f->set_string("name", "new"), access_denied_error);
    EXPECT_EQ("old", tree.string_value("/DEMO/a", "name"));
}

TEST_F(MemoryTreeTest, FoldersNavigateByNamePathParentAndServerWideCd)
{
    tree.make_folder("/DEMO/channels/c1", "Channel");
    tree.make_folder("/DEMO/scripts/rule1", "Rule");
    Settings rule = tree.folder("/DEMO/scripts/rule1");
    EXPECT_EQ("rule1", rule->name());
    EXPECT_EQ("/DEMO/scripts/rule1", rule->path());
    EXPECT_EQ("Rule", rule->type());
    EXPECT_EQ("/DEMO/scripts", rule->parent()->path());
    EXPECT_EQ("/DEMO/channels", rule->cd("channels", 0)->path());
    EXPECT_EQ("/DEMO/channels", host.server_root()->cd("channels", 0)->path());
    EXPECT_FALSE(rule->cd("templates", 0));
    EXPECT_FALSE(rule->subdir("stats", 0));
    Settings stats = rule->subdir("stats", 1);
    ASSERT_TRUE(stats);
    EXPECT_EQ("/DEMO/scripts/rule1/stats", stats->path());
    EXPECT_EQ(stats, rule->subdir("stats", 0)) << "one object per folder";
    EXPECT_EQ((std::vector<std::string>{"rule1"}), tree.folder("/DEMO/scripts")->ls());
}

TEST_F(MemoryTreeTest, SubscribersHearValuesRightsChildrenAndErasure)
{
    tree.make_folder("/DEMO/scripts/a", "Rule");
    tree.make_folder("/DEMO/scripts/b", "Script");
    auto own = boost::make_shared<Recorder>();
    auto children = boost::make_shared<Recorder>();
    tree.folder("/DEMO/scripts/a")->subscribe(own, Dir::OWN_VALUES);
    tree.folder("/DEMO/scripts")->subscribe(children, Dir::SUBDIRS);
    EXPECT_EQ((std::vector<std::string>{"added /DEMO/scripts a", "added /DEMO/scripts b"}),
              children->events)
        << "existing subfolders are reported right after subscribing";

    tree.folder("/DEMO/scripts/a")->set_string("name", "x");
    tree.set_rights("/DEMO/scripts/a", 8);
    tree.make_folder("/DEMO/scripts/c", "Schedule");
    tree.erase("/DEMO/scripts/a");
    EXPECT_EQ((std::vector<std::string>{"values /DEMO/scripts/a", "rights /DEMO/scripts/a",
                                        "erased /DEMO/scripts/a"}),
              own->events);
    EXPECT_EQ((std::vector<std::string>{"added /DEMO/scripts a", "added /DEMO/scripts b",
                                        "child rights /DEMO/scripts a", "added /DEMO/scripts c",
                                        "removed /DEMO/scripts a"}),
              children->events);
}

TEST_F(MemoryTreeTest, ListenersThatAreGoneAreNotCalledAndTheMask768HearsBoth)
{
    tree.make_folder("/DEMO/x");
    auto both = boost::make_shared<Recorder>();
    {
        auto gone = boost::make_shared<Recorder>();
        tree.folder("/DEMO/x")->subscribe(gone, Dir::ALL);
    }
    tree.folder("/DEMO/x")->subscribe(both, Dir::ALL);
    tree.make_folder("/DEMO/x/y");
    tree.put_integer("/DEMO/x", "k", 1);
    EXPECT_EQ((std::vector<std::string>{"added /DEMO/x y", "values /DEMO/x"}), both->events);
}

TEST_F(MemoryTreeTest, ErasedFoldersKeepTheirPathAndRefuseWrites)
{
    tree.put_string("/DEMO/scripts/gone/stats", "last_error", "");
    Settings stats = tree.folder("/DEMO/scripts/gone/stats");
    tree.erase("/DEMO/scripts/gone");
    EXPECT_EQ("/DEMO/scripts/gone/stats", stats->path());
    EXPECT_FALSE(stats->parent());
    EXPECT_THROW(stats->set_string("last_error", "x"), access_denied_error);
    EXPECT_FALSE(tree.folder("/DEMO/scripts/gone"));
}

TEST_F(MemoryTreeTest, CallLogRecordsOperationPathKeyAndValue)
{
    tree.put_integer("/DEMO/scripts", "rule_create_now", 4);
    tree.clear_calls();
    Settings f = tree.folder("/DEMO/scripts");
    f->lock();
    f->set_integer("rule_create_now", f->get_integer("rule_create_now") + 1);
    f->unlock();
    const auto calls = tree.calls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ("lock", calls[0].op);
    EXPECT_EQ("get_integer", calls[1].op);
    EXPECT_EQ("set_integer", calls[2].op);
    EXPECT_EQ("/DEMO/scripts", calls[2].path);
    EXPECT_EQ("rule_create_now", calls[2].key);
    EXPECT_EQ("5", calls[2].value);
    EXPECT_EQ("unlock", calls[3].op);
}

TEST_F(MemoryTreeTest, FaultsHitTheChosenCallOrTheNthCall)
{
    tree.put_string("/DEMO/a", "name", "n");
    Settings f = tree.folder("/DEMO/a");

    tree.fail_calls(FaultRule{"get_string", "", "name", 1, "no way"});
    try {
        f->get_string("name");
        ADD_FAILURE() << "the chosen call did not fail";
    } catch (const access_denied_error &e) {
        EXPECT_STREQ("no way", e.what());
    }
    EXPECT_EQ("n", f->get_string("name")) << "the rule was good for one call only";

    tree.fail_nth_call(2);
    EXPECT_NO_THROW(f->type());
    EXPECT_THROW(f->rights(), access_denied_error);
    EXPECT_NO_THROW(f->rights());
    EXPECT_EQ(2, tree.faults_raised());

    tree.fail_nth_call(1);
    EXPECT_THROW(f->lock(), access_denied_error);
    EXPECT_EQ(0, tree.lock_balance()) << "a refused lock holds nothing";
    tree.fail_calls(FaultRule{"", "", "", -1, "down"});
    EXPECT_NO_THROW(f->unlock()) << "unlock never throws";
    tree.clear_faults();
}

TEST_F(MemoryTreeTest, LockBalanceAndViolationsAreReported)
{
    tree.make_folder("/DEMO/a");
    Settings f = tree.folder("/DEMO/a");
    f->unlock();
    ASSERT_EQ(1u, tree.lock_violations().size());
    EXPECT_NE(std::string::npos, tree.lock_violations()[0].find("unlock without lock"));
    tree.clear_lock_violations();

    f->lock();
    f->lock();
    EXPECT_EQ(2, tree.lock_balance());
    f->unlock();
    f->unlock();
    QCoreApplication::processEvents();
    EXPECT_TRUE(tree.lock_violations().empty());

    f->lock();
    QCoreApplication::processEvents(); // control back in the event loop with the lock held
    f->unlock();
    ASSERT_EQ(1u, tree.lock_violations().size());
    EXPECT_NE(std::string::npos, tree.lock_violations()[0].find("event loop"));
}

TEST_F(MemoryTreeTest, TheLockExcludesOtherThreadsForTheWholeSeries)
{
    tree.put_integer("/DEMO/a", "n", 0);
    Settings f = tree.folder("/DEMO/a");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([f] {
            for (int i = 0; i < 500; ++i) {
                f->lock();
                f->set_integer("n", f->get_integer("n") + 1);
                f->unlock();
            }
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(2000, tree.integer_value("/DEMO/a", "n"));
    EXPECT_EQ(0, tree.lock_balance());
}

TEST(MemoryHostTest, GuidsAreUniqueAndGuidShaped)
{
    const QRegularExpression shape(
        "^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    for (bool deterministic : {false, true}) {
        MemoryHost host;
        host.set_deterministic_guids(deterministic);
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            const std::string g = host.new_guid();
            EXPECT_TRUE(shape.match(QString::fromStdString(g)).hasMatch()) << g;
            EXPECT_TRUE(seen.insert(g).second) << g;
        }
    }
}

TEST(MemoryHostTest, DirectoriesExistAndScaleIsSettable)
{
    MemoryHost host;
    EXPECT_TRUE(QDir(QString::fromStdString(host.data_directory())).exists());
    EXPECT_TRUE(QDir(QString::fromStdString(host.stock_directory())).exists());
    EXPECT_NE(host.data_directory(), host.stock_directory());
    EXPECT_FLOAT_EQ(1.0f, host.setup_pages()->ui_scale()->size_factor());
    host.pages().scale().set_factor(1.5f);
    EXPECT_FLOAT_EQ(1.5f, host.setup_pages()->ui_scale()->width_factor());
}

} // namespace
