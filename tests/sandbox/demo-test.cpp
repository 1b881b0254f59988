// The demo servers and their services: what an operator finds on them, the
// large server's size and repeatability, the lists the services deliver, and
// the headless tour over every page.

#include "memory-host/tree-json.h"
#include "sandbox/demo-server.h"
#include "sandbox/object-kinds.h"
#include "sandbox/options.h"
#include "sandbox/server-services.h"
#include "sandbox/server-simulator.h"
#include "sandbox/tour.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <boost/enable_shared_from_this.hpp>
#include <boost/make_shared.hpp>
#include <mutex>

namespace {

using memory_host::FolderSnapshot;

int count_of_type(const FolderSnapshot &folder, const std::string &type)
{
    int n = 0;
    for (const auto &child : folder.folders)
        n += child.second.type == type;
    return n;
}

class DemoServer : public SandboxTest
{};

TEST_F(DemoServer, HoldsTheObjectsAndFoldersThePagesRead)
{
    start();
    const FolderSnapshot folder = session->tree().snapshot(scripts());
    EXPECT_EQ("ScriptFolder", folder.type);
    for (const auto &entry : sandbox::scripts_folder_keys())
        EXPECT_EQ(entry.value.type, folder.keys.at(entry.key).type) << entry.key;
    for (const auto &object : folder.folders) {
        for (const auto &entry : sandbox::object_keys(object.second.type))
            EXPECT_EQ(entry.value.type, object.second.keys.at(entry.key).type)
                << object.second.type << " " << object.first << " " << entry.key;
        const auto stats = sandbox::stats_keys(object.second.type);
        if (!stats.empty() && !object.second.folders.count("stats")) {
            EXPECT_EQ("CloudScript", object.second.type) << "only one waits for its engine";
            continue;
        }
        for (const auto &entry : stats)
            EXPECT_EQ(entry.value.type, object.second.folders.at("stats").keys.at(entry.key).type)
                << object.first << " stats " << entry.key;
    }
    const std::map<std::string, int> expected = {
        {"Rule", 2},     {"Script", 3},       {"CloudScript", 6}, {"StockScript", 1},
        {"Schedule", 2}, {"EmailAccount", 2}, {"TemplateLoop", 2}};
    for (const auto &kind : expected)
        EXPECT_EQ(kind.second, count_of_type(folder, kind.first)) << kind.first;

    // The server-wide folders hold what the pages read.
    const std::string server = session->server_path();
    const FolderSnapshot channels = session->tree().snapshot(server + "/channels");
    EXPECT_EQ(24u, channels.folders.size());
    int zombies = 0, without_right_4 = 0;
    for (const auto &c : channels.folders) {
        EXPECT_EQ('s', c.second.keys.at("name").type);
        zombies += c.second.keys.at("archive_zombie_flag").integer == 1;
        without_right_4 += !(c.second.rights & 4);
    }
    EXPECT_EQ(1, zombies);
    EXPECT_EQ(1, without_right_4);
    EXPECT_GE(session->tree().children(server + "/templates").size(), 3u);
    EXPECT_NE("",
              session->tree().string_value(server + "/system_wide_options", "screenshots_folder"));
    EXPECT_EQ('i', session->tree().value(server + "/archive", "prebuffer").type);
    EXPECT_TRUE(session->tree().folder(server + "/health"));
}

TEST(LargeServer, IsGeneratedTheSameEveryTimeWithTheAskedSizes)
{
    const std::string first = sandbox::large_server_document();
    EXPECT_EQ(first, sandbox::large_server_document());
    memory_host::MemoryTree tree;
    std::string error;
    ASSERT_TRUE(memory_host::load_tree_json(tree, first, &error)) << error;
    EXPECT_EQ(2000u, tree.children("/DEMO/channels").size());
    EXPECT_EQ(300u, tree.children("/DEMO/templates").size());
    const FolderSnapshot scripts = tree.snapshot("/DEMO/scripts");
    EXPECT_EQ(500, count_of_type(scripts, "Script"));
    EXPECT_EQ(200, count_of_type(scripts, "Rule"));
    EXPECT_EQ(50, count_of_type(scripts, "Schedule"));
    EXPECT_EQ(20, count_of_type(scripts, "TemplateLoop"));
}

// A rule-wizard consumer as a page registers one, recording its deliveries.
struct WizardConsumer :
    Rizurividuvez::ServicesConsumer,
    Rizurividuvez::DavaDodaziServiceReceiver,
    boost::enable_shared_from_this<WizardConsumer>
{
    std::string consumer_server_name() override { return "DEMO"; }
    std::string consumer_service_name() override { return "DavaDodaziService"; }
    void service_connected(boost::shared_ptr<Rizurividuvez::ServiceInterface> s, bool) override
    {
        if (auto service = boost::dynamic_pointer_cast<Rizurividuvez::DavaDodaziService>(s))
            service->subscribe(shared_from_this(), false);
    }
    void service_dropped() override {}
    void classes_and_objects_listed(std::vector<Rizurividuvez::ObjectClass> &c,
                                    std::vector<Rizurividuvez::ObjectRecord> &o) override
    {
        std::lock_guard<std::mutex> guard(mutex);
        classes = c;
        objects = o;
        on_own_thread = QThread::currentThread() != QCoreApplication::instance()->thread();
    }
    void event_types_listed(std::vector<Rizurividuvez::EventType> &e) override
    {
        std::lock_guard<std::mutex> guard(mutex);
        events = e;
    }
    void sounds_listed(std::vector<std::string> &s) override
    {
        std::lock_guard<std::mutex> guard(mutex);
        sounds = s;
    }
    int objects_of(const std::string &cls, const std::string &parent)
    {
        std::lock_guard<std::mutex> guard(mutex);
        return static_cast<int>(std::count_if(objects.begin(), objects.end(), [&](const auto &o) {
            return o.class_name == cls && o.parent_id == parent;
        }));
    }
    std::mutex mutex;
    std::vector<Rizurividuvez::ObjectClass> classes;
    std::vector<Rizurividuvez::ObjectRecord> objects;
    std::vector<Rizurividuvez::EventType> events;
    std::vector<std::string> sounds;
    std::atomic<bool> on_own_thread{false};
};

TEST_F(DemoServer, WizardServiceDeliversTheFileListsAndFollowsTheSchedules)
{
    start();
    auto consumer = boost::make_shared<WizardConsumer>();
    session->host().register_consumer(consumer);
    session->services().wait_idle();
    EXPECT_TRUE(consumer->on_own_thread);
    EXPECT_FALSE(consumer->classes.empty());
    EXPECT_FALSE(consumer->events.empty());
    EXPECT_FALSE(consumer->sounds.empty());
    EXPECT_EQ(2, consumer->objects_of("Schedule", "DEMOS"));
    EXPECT_EQ(23, consumer->objects_of("Camera", "DEMO")) << "every channel but the zombie";
    EXPECT_GE(consumer->objects_of("OperatorGUI", "DEMO"), 1);

    session->simulator().create_object(scripts(), *sandbox::kind_named("schedule"), "");
    session->tree().folder(objects_of("Schedule").front())->set_string("name", "Renamed");
    session->settle();
    EXPECT_EQ(3, consumer->objects_of("Schedule", "DEMOS"));
}

TEST_F(DemoServer, TourGrabsEveryPageOnce)
{
    start();
    QTemporaryDir dir;
    QString printed;
    QTextStream out(&printed);
    bool ok = false;
    const auto stops = sandbox::run_tour(*window, *session, dir.path(), out, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(19u, stops.size()) << "the scripts folder and its eighteen objects";
    EXPECT_EQ(19, QDir(dir.path()).entryList({"*.png"}).size());
    EXPECT_EQ(19, printed.count('\n'));
    for (const auto &stop : stops)
        EXPECT_TRUE(stop.file.contains(stop.type + "-")) << stop.file.toStdString();
    EXPECT_TRUE(session->host().log().contains("SANDBOX: calling vx_init"));
    EXPECT_TRUE(session->host().log().contains("SANDBOX: calling vx_after_load"));
}

TEST(SandboxOptions, ReadsTheCommandLine)
{
    sandbox::Options o;
    QString error;
    ASSERT_TRUE(sandbox::parse_options(
        {"sandbox", "--plugin", "p.so", "--tour", "t", "--demo-size", "large"}, o, &error));
    EXPECT_EQ("p.so", o.plugin);
    EXPECT_EQ("t", o.tour_dir);
    EXPECT_TRUE(o.large);
    EXPECT_TRUE(o.headless());
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--demo-size", "huge"}, o, &error));
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--tree"}, o, &error));
    EXPECT_FALSE(
        sandbox::parse_options({"sandbox", "--tree", "f", "--demo-size", "large"}, o, &error));
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--bogus"}, o, &error));
}

} // namespace
