#include "memory-host/memory-host.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
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

TEST_F(MemoryTreeTest, MissingOrMistypedKeysGiveTheDefaultOrARefusalAndReadOnlyKeysStay)
{
    const std::string path = "/DEMO/scripts/r1";
    tree.put_string(path, "name", "Night watch");
    Settings f = tree.folder(path);
    ASSERT_TRUE(f);
    EXPECT_EQ(7, f->get_integer_or("missing", 7));
    EXPECT_EQ(7, f->get_integer_or("name", 7)) << "text is no integer";
    EXPECT_THROW(f->get_string("missing"), access_denied_error);
    EXPECT_THROW(f->get_integer("name"), access_denied_error);

    // A read-only key refuses writes and keeps its value.
    tree.set_writable(path, "name", false);
    EXPECT_FALSE(f->key_writable("name"));
    EXPECT_TRUE(f->key_writable("other"));
    EXPECT_THROW(f->set_string("name", "new"), access_denied_error);
    EXPECT_EQ("Night watch", tree.string_value(path, "name"));
}

TEST_F(MemoryTreeTest, FoldersNavigateBySubfolderAndServerWideCdAndOutliveTheirErasure)
{
    tree.make_folder("/DEMO/channels/c1", "Channel");
    tree.make_folder("/DEMO/scripts/rule1", "Rule");
    Settings rule = tree.folder("/DEMO/scripts/rule1");
    EXPECT_EQ("/DEMO/scripts/rule1", rule->path());
    EXPECT_EQ("/DEMO/channels", rule->cd("channels", 0)->path());
    EXPECT_EQ("/DEMO/channels", host.server_root()->cd("channels", 0)->path());
    EXPECT_FALSE(rule->cd("templates", 0));
    EXPECT_FALSE(rule->subdir("stats", 0));
    Settings stats = rule->subdir("stats", 1);
    ASSERT_TRUE(stats);
    EXPECT_EQ("/DEMO/scripts/rule1/stats", stats->path());
    EXPECT_EQ(stats, rule->subdir("stats", 0)) << "one object per folder";

    // An erased folder keeps its path and refuses writes.
    tree.erase("/DEMO/scripts/rule1");
    EXPECT_EQ("/DEMO/scripts/rule1/stats", stats->path());
    EXPECT_FALSE(stats->parent());
    EXPECT_THROW(stats->set_string("last_error", "x"), access_denied_error);
    EXPECT_FALSE(tree.folder("/DEMO/scripts/rule1"));
}

TEST_F(MemoryTreeTest, SubscribersStillThereHearTheirValuesRightsAndErasure)
{
    tree.make_folder("/DEMO/scripts/a", "Rule");
    tree.make_folder("/DEMO/scripts/b", "Script");
    auto own = boost::make_shared<Recorder>();
    tree.folder("/DEMO/scripts/a")->subscribe(boost::make_shared<Recorder>(), Dir::ALL); // gone
    tree.folder("/DEMO/scripts/a")->subscribe(own, Dir::OWN_VALUES);
    auto both = boost::make_shared<Recorder>(); // mask 768: values and subfolders
    tree.folder("/DEMO/scripts/b")->subscribe(both, Dir::ALL);
    tree.folder("/DEMO/scripts/a")->set_string("name", "x");
    tree.set_rights("/DEMO/scripts/a", 8);
    tree.erase("/DEMO/scripts/a");
    tree.make_folder("/DEMO/scripts/b/y");
    tree.put_integer("/DEMO/scripts/b", "k", 1);
    EXPECT_EQ((std::vector<std::string>{"added /DEMO/scripts/b y", "values /DEMO/scripts/b"}),
              both->events);
    EXPECT_EQ((std::vector<std::string>{"values /DEMO/scripts/a", "rights /DEMO/scripts/a",
                                        "erased /DEMO/scripts/a"}),
              own->events);
}

TEST_F(MemoryTreeTest, CallLogKeepsTheLatestCallsUpToItsSize)
{
    tree.put_integer("/DEMO/scripts", "rule_create_now", 4);
    Settings f = tree.folder("/DEMO/scripts");
    const struct
    {
        size_t size;
        std::vector<std::string> ops;
    } cases[] = {
        {MemoryTree::default_call_log_size, {"lock", "get_integer", "set_integer", "unlock"}},
        {3, {"get_integer", "set_integer", "unlock"}}, // oldest first once it went round
        {0, {}},
    };
    for (const auto &c : cases) {
        tree.set_call_log_size(c.size);
        tree.clear_calls();
        const long counted = tree.countable_calls();
        f->lock();
        f->set_integer("rule_create_now", f->get_integer("rule_create_now") + 1);
        f->unlock();
        std::vector<std::string> ops;
        for (const Call &call : tree.calls())
            ops.push_back(call.op);
        EXPECT_EQ(c.ops, ops) << c.size;
        EXPECT_EQ(3, tree.countable_calls() - counted) << "counting goes on";
    }
    tree.set_call_log_size(1);
    tree.root()->ls();
    EXPECT_EQ("/", tree.calls().at(0).path);
}

TEST_F(MemoryTreeTest, FaultsHitTheChosenCallOrTheNthCall)
{
    tree.put_string("/DEMO/a", "name", "n");
    Settings f = tree.folder("/DEMO/a");

    tree.fail_calls(FaultRule{"get_string", "", "name", 1, "no way"});
    EXPECT_THROW(f->get_string("name"), access_denied_error);

    tree.fail_nth_call(2);
    EXPECT_NO_THROW(f->type());
    EXPECT_THROW(f->rights(), access_denied_error);
    EXPECT_EQ("<refused>", tree.calls().back().value);
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

// The host's own form of a guid; uniqueness shows in the objects the simulator creates.
TEST(MemoryHostTest, RandomGuidsAreUpperCaseGuidShaped)
{
    const std::string g = MemoryHost().new_guid();
    EXPECT_TRUE(
        QRegularExpression("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$")
            .match(QString::fromStdString(g))
            .hasMatch())
        << g;
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
