// The cloud script page: its states from construction to a running script,
// the status table, the form from cloud and local values, save and revert of
// "parameters_local"; and the fault sweep over its life.

#include "memory-host/fault-sweep.h"
#include "plugin/entry.h"
#include "script-setup/script/setup-cloud-script.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"
#include "tests/support/screenshot.h"
#include "utils/script-cipher.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace {

const char *const cloud_path = "/DEMO/scripts/c1";
const char *const cloud_stats = "/DEMO/scripts/c1/stats";

// Declares "capacity" (default 250) and "minutes" (default 5).
const char *const cloud_script =
    "# Occupancy counter\n"
    "# Reports how many people are inside.\n"
    "\"\"\"<parameters>"
    "<parameter><type>integer</type><id>capacity</id>"
    "<name>Capacity</name><value>250</value><max>5000</max></parameter>"
    "<parameter><type>integer</type><id>minutes</id>"
    "<name>Minutes</name><value>5</value></parameter>"
    "</parameters>\"\"\"\n"
    "inside = 0\n";

std::string values(const std::vector<std::pair<const char *, const char *>> &params,
                   const char *type = "integer")
{
    std::string out = "<parameters>";
    for (const auto &p : params)
        out += std::string("<parameter><type>") + type + "</type><id>" + p.first + "</id><name>" +
               p.first + "</name><value>" + p.second + "</value></parameter>";
    return out + "</parameters>";
}

std::string enciphered(const std::string &text)
{
    const std::string c = script_cipher::encipher(text);
    return QByteArray(c.data(), static_cast<int>(c.size())).toBase64().toStdString();
}

struct CloudFolder
{
    std::string script = cloud_script;
    int enable = 1;
    std::string download_ts = "1733389200000000";
    int rights = 0xff;
    bool stats = true;
    std::string last_error;
};

void make_cloud_tree(memory_host::MemoryTree &tree, const CloudFolder &f)
{
    tree.make_folder("/DEMO/scripts", "ScriptFolder");
    tree.put_integer("/DEMO/scripts", "show_warnings", 0);
    tree.make_folder(cloud_path, "CloudScript");
    tree.put_string(cloud_path, "name", "Occupancy counter");
    tree.put_string(cloud_path, "script", f.script);
    tree.put_integer(cloud_path, "enable", f.enable);
    tree.put_string(cloud_path, "download_ts", f.download_ts);
    tree.put_string(cloud_path, "parameters_cloud", values({{"capacity", "320"}}));
    tree.put_string(cloud_path, "parameters_local", values({{"minutes", "10"}}));
    tree.set_rights(cloud_path, f.rights);
    if (f.stats) {
        tree.make_folder(cloud_stats);
        for (const char *key :
             {"run_count", "error_count", "successful_run_count", "status_send_count"})
            tree.put_integer(cloud_stats, key, 3);
        tree.put_string(cloud_stats, "last_error", f.last_error);
        tree.put_integer(cloud_stats, "last_error_line", -1);
        tree.put_string(cloud_stats, "last_run_ts", "1733475300000000");
        tree.put_string(cloud_stats, "last_successful_run_ts", "0");
    }
}

class CloudPage : public PageTest
{
protected:
    CloudPage() { vx_init(&host); }
    ~CloudPage() override
    {
        page.reset();
        vx_done();
    }
    void open(const CloudFolder &f = CloudFolder(), bool settle = true)
    {
        make_cloud_tree(tree, f);
        page.reset(new QSetupCloudScript(&navigator, tree.folder(cloud_path), host.server_root()));
        page->resize(640, 480);
        if (settle)
            settle_events();
        tree.clear_calls();
    }
    QString status() { return child<QLabel>(page.get(), "status")->text(); }
    QList<QSpinBox *> spins()
    {
        return child<QScrollArea>(page.get(), "parameters_area")->findChildren<QSpinBox *>();
    }
    QStringList captions()
    {
        QStringList out;
        for (QLabel *l :
             child<QScrollArea>(page.get(), "parameters_area")->findChildren<QLabel *>())
            out << l->text();
        return out;
    }
    QPushButton *button(const char *name) { return child<QPushButton>(page.get(), name); }

    std::unique_ptr<QSetupCloudScript> page;
};

TEST_F(CloudPage, StatesFollowTheFolder)
{
    CloudFolder no_stats;
    no_stats.stats = false;
    CloudFolder disabled;
    disabled.enable = 0;
    CloudFolder unknown_time;
    unknown_time.download_ts = "0";
    CloudFolder no_rights;
    no_rights.rights = 0xff & ~8;
    CloudFolder bad_time;
    bad_time.download_ts = "12h";
    CloudFolder binary;
    binary.script = std::string("\x01\x02\xff", 3);
    CloudFolder ciphered;
    ciphered.script = enciphered(cloud_script);
    CloudFolder failing;
    failing.last_error = "NameError: cloud_post";
    const struct
    {
        const char *shot;
        CloudFolder folder;
        const char *status; // a piece of the status label
        bool enabled;
        const char *log; // a level-2 line, if any
    } cases[] = {
        {"cloud-running", CloudFolder(), "<font color='green'>Yes</font>", true, nullptr},
        {"cloud-no-stats", no_stats, "Occupancy counter", false, nullptr},
        {"cloud-disabled", disabled, "<font color='red'>No</font>", false, nullptr},
        {"cloud-unknown-time", unknown_time, "<td><b>Unknown</b>", true, nullptr},
        {"cloud-no-rights", no_rights, "Insufficient rights", false, nullptr},
        {"cloud-bad-time", bad_time, "Failed to load script parameters.", false,
         "GUI: download_ts '12h' is not a number"},
        {"cloud-binary", binary, "Failed to load script parameters.", false,
         "GUI: cannot decipher the script text"},
        {"cloud-ciphered", ciphered, "Occupancy counter", true, nullptr},
        {"cloud-error", failing, "<font color='green'>Yes</font>", true, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shot);
        page.reset();
        tree.erase("/DEMO/scripts");
        host.log().clear();
        open(c.folder, false);
        EXPECT_TRUE(status().contains("Waiting for script engine to start..."));
        EXPECT_FALSE(page->isEnabled());
        settle_events();
        EXPECT_TRUE(status().contains(c.status)) << status().toStdString();
        EXPECT_EQ(c.enabled, page->isEnabled());
        if (c.log)
            EXPECT_TRUE(host.log().contains(c.log, 2));
        else
            EXPECT_LT(host.log().max_level(), 2);
        const bool loaded = status().startsWith("<table>");
        EXPECT_EQ(loaded ? 2 : 0, spins().size()) << "the declaration of the deciphered text";
        EXPECT_EQ(loaded, child<QLabel>(page.get(), "description")->text() ==
                              "Occupancy counter\n Reports how many people are inside.");
        auto *error = child<QLabel>(page.get(), "last_error");
        EXPECT_EQ(!c.folder.last_error.empty() && loaded, !error->isHidden());
        EXPECT_TRUE(tree.calls_of("set_string").empty());
        save_screenshot(page.get(), c.shot);
    }
}

TEST_F(CloudPage, EngineStartingLaterEnablesThePage)
{
    CloudFolder f;
    f.stats = false;
    open(f);
    ASSERT_FALSE(page->isEnabled());
    tree.make_folder(cloud_stats);
    tree.put_string(cloud_stats, "last_error", "boom");
    settle_events();
    EXPECT_TRUE(page->isEnabled());

    tree.put_integer(cloud_path, "enable", 0);
    settle_events();
    EXPECT_FALSE(page->isEnabled());
    EXPECT_TRUE(status().contains("<font color='red'>No</font>"));
    tree.set_rights(cloud_path, 0);
    tree.put_integer(cloud_path, "enable", 1);
    settle_events();
    EXPECT_TRUE(status().contains("Insufficient rights"));
}

TEST_F(CloudPage, FormTakesCloudThenLocalValues)
{
    open();
    tree.put_string(cloud_path, "parameters_cloud",
                    values({{"capacity", "320"}, {"zone", "hall"}}, "string"));
    tree.put_string(cloud_path, "parameters_local", values({{"minutes", "10"}, {"ghost", "x"}}));
    settle_events();
    const QStringList shown = captions();
    EXPECT_TRUE(shown.contains("zone")) << "a parameter only the cloud sets is shown";
    EXPECT_FALSE(shown.contains("ghost")) << "an undeclared local value is dropped";
    const auto boxes = spins();
    ASSERT_EQ(2, boxes.size());
    EXPECT_EQ(250, boxes[0]->value()) << "the cloud's capacity had the wrong type here";
    EXPECT_EQ(10, boxes[1]->value()) << "the local value overrides the default";
}

TEST_F(CloudPage, SaveAndRevertOfLocalValues)
{
    open();
    const auto boxes = spins();
    ASSERT_EQ(2, boxes.size());
    EXPECT_EQ(320, boxes[0]->value());
    EXPECT_EQ(10, boxes[1]->value());
    EXPECT_FALSE(button("save_button")->isEnabled());

    boxes[0]->setValue(400);
    EXPECT_TRUE(button("save_button")->isEnabled());
    EXPECT_TRUE(button("revert_button")->isEnabled());
    boxes[0]->setValue(320);
    EXPECT_FALSE(button("save_button")->isEnabled()) << "back to the original value";

    boxes[0]->setValue(400);
    QTest::mouseClick(button("revert_button"), Qt::LeftButton);
    settle_events();
    EXPECT_EQ(320, spins()[0]->value());
    EXPECT_FALSE(page->modified());
    EXPECT_TRUE(tree.calls_of("set_string").empty());

    spins()[1]->setValue(15);
    QTest::mouseClick(button("save_button"), Qt::LeftButton);
    settle_events();
    const auto writes = tree.calls_of("set_string");
    ASSERT_EQ(1u, writes.size());
    EXPECT_EQ("parameters_local", writes[0].key);
    const std::string local = tree.string_value(cloud_path, "parameters_local");
    EXPECT_NE(std::string::npos, local.find("<value>15</value>"));
    EXPECT_FALSE(button("save_button")->isEnabled());
    EXPECT_EQ(15, spins()[1]->value()) << "the rebuilt form shows what was saved";
}

TEST(CloudFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    memory_host::MemoryHost *current = nullptr;
    memory_host::FaultSweep sweep;
    sweep.make_host = [&current] {
        auto host = std::make_unique<memory_host::MemoryHost>();
        make_cloud_tree(host->tree(), CloudFolder());
        current = host.get();
        return host;
    };
    sweep.scenario = [](memory_host::MemoryHost &host) {
        vx_init(&host);
        RecordingNavigator navigator;
        QSetupCloudScript page(&navigator, host.tree().folder(cloud_path), host.server_root());
        settle_events();
        host.tree().put_string(cloud_stats, "last_error", "boom");
        settle_events();
        auto *area = page.findChild<QScrollArea *>("parameters_area");
        const auto boxes = area->findChildren<QSpinBox *>();
        if (boxes.size() == 2) {
            boxes[0]->setValue(1);
            page.revert_button_clicked();
            boxes[1]->setValue(2);
            page.save_button_clicked();
        }
        settle_events();
        return page.findChild<QLabel *>("status") != nullptr;
    };
    sweep.silent_ok = [&current](const memory_host::Call &) {
        return current->log().contains("SCRIPT GUI: cannot save", 1);
    };
    const memory_host::FaultSweepReport report = sweep.run();
    vx_init(nullptr);
    EXPECT_TRUE(report.ok()) << report.summary();
    EXPECT_GT(report.calls, 20);
}

} // namespace
