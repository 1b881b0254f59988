// The cloud script page: its states from construction to a running script,
// the status table, the form from cloud and local values, save and revert of
// "parameters_local"; and the fault sweep over its life.

#include "script-setup/script/publish.h"
#include "script-setup/script/setup-cloud-script.h"
#include "tests/script-setup/script/script-fixture.h"
#include "tests/support/screenshot.h"
#include "utils/script-cipher.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

const char *const cloud_path = "/DEMO/scripts/c1";
const char *const cloud_stats = "/DEMO/scripts/c1/stats";

using TreeChange = std::function<void(memory_host::MemoryTree &)>;

class CloudPage : public PluginPage<QSetupCloudScript>
{
protected:
    // The script declares "capacity" and "minutes"; the cloud sets a declared
    // and an undeclared parameter, the operator a declared and an undeclared
    // one; then `change` is made.
    void open(const TreeChange &change = nullptr, bool settle = true)
    {
        load_tree_file(tree, "script/cloud.json");
        if (change)
            change(tree);
        page.reset(new QSetupCloudScript(&navigator, tree.folder(cloud_path), host.server_root()));
        page->resize(640, 480);
        if (settle)
            settle_events();
        tree.clear_calls();
    }
    QString status() { return get<QLabel>("status")->text(); }
};

TEST_F(CloudPage, StatesFollowTheFolder)
{
    load_tree_file(tree, "script/cloud.json");
    const std::string c = script_cipher::encipher(tree.string_value(cloud_path, "script"));
    const std::string ciphered = QByteArray(c.data(), int(c.size())).toBase64().toStdString();
    // Enciphered with another key: Base64, but of nothing this build reads.
    QByteArray other = QByteArray::fromStdString(tree.string_value(cloud_path, "script"));
    for (char &ch : other)
        ch = char(ch ^ 0x5a);
    const std::string other_cipher = other.toBase64().toStdString();
    using T = memory_host::MemoryTree;
    const struct
    {
        const char *shot;
        TreeChange change;
        const char *status; // a piece of the status label
        bool enabled;
        const char *log; // the level-2 line, if any
    } cases[] = {
        {"cloud-running", nullptr, "<font color='green'>Yes</font>", true, nullptr},
        {"cloud-no-stats", [](T &t) { t.erase(cloud_stats); },
         "</table><p><b><font color=\"#505050\">Waiting for script engine", false, nullptr},
        {"cloud-disabled", [](T &t) { t.put_integer(cloud_path, "enable", 0); },
         "<font color='red'>No</font>", false, nullptr},
        {"cloud-unknown-time", [](T &t) { t.put_string(cloud_path, "download_ts", "0"); },
         "<td><b>Unknown</b>", true, nullptr},
        {"cloud-no-rights", [](T &t) { t.set_rights(cloud_path, 0xff & ~8); },
         "Insufficient rights", false, nullptr},
        {"cloud-bad-time", [](T &t) { t.put_string(cloud_path, "download_ts", "12h"); },
         "Failed to load script parameters.", false, "GUI: download_ts '12h' is not a number"},
        {"cloud-binary",
         [](T &t) { t.put_string(cloud_path, "script", std::string("\x01\xff", 2)); },
         "Failed to load script parameters.", false, "GUI: cannot decipher the script text"},
        {"cloud-ciphered", [&](T &t) { t.put_string(cloud_path, "script", ciphered); },
         "Occupancy counter", true, nullptr},
        {"cloud-ciphered-lines",
         [&](T &t) {
             t.put_string(cloud_path, "script",
                          script_publish::base64_lines(QByteArray(c.data(), int(c.size()))));
         },
         "Occupancy counter", true, nullptr},
        {"cloud-other-cipher", [&](T &t) { t.put_string(cloud_path, "script", other_cipher); },
         "Failed to load script parameters.", false, "GUI: cannot decipher the script text"},
        {"cloud-error", [](T &t) { t.put_string(cloud_stats, "last_error", "NameError: x"); },
         "<font color='green'>Yes</font>", true, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shot);
        page.reset();
        host.log().clear();
        open(c.change, false);
        EXPECT_TRUE(status().contains("Waiting for script engine to start..."));
        EXPECT_FALSE(page->isEnabled());
        settle_events();
        EXPECT_TRUE(status().contains(c.status)) << status().toStdString();
        EXPECT_EQ(c.enabled, page->isEnabled());
        EXPECT_EQ(c.log != nullptr, host.log().max_level() >= 2);
        EXPECT_TRUE(!c.log || host.log().contains(c.log, 2));
        const bool loaded = status().startsWith("<table>");
        EXPECT_EQ(loaded ? 2 : 0, in_form<QSpinBox>().size()) << "declared by the readable text";
        EXPECT_EQ(loaded ? "Occupancy counter" : "", get<QLabel>("description")->text());
        EXPECT_EQ(!tree.string_value(cloud_stats, "last_error").empty() && loaded,
                  !get<QLabel>("last_error")->isHidden());
        EXPECT_TRUE(tree.calls_of("set_string").empty());
        page->show();
        EXPECT_EQ("", clipped_controls(page.get()));
        save_screenshot(page.get(), c.shot);
    }
}

TEST_F(CloudPage, EngineStartingLaterEnablesThePage)
{
    open([](memory_host::MemoryTree &t) { t.erase(cloud_stats); });
    ASSERT_FALSE(page->isEnabled());
    tree.make_folder(cloud_stats);
    tree.put_string(cloud_stats, "last_error", "boom");
    settle_events();
    EXPECT_TRUE(page->isEnabled());
    EXPECT_FALSE(status().contains("Waiting"));

    tree.put_integer(cloud_path, "enable", 0);
    settle_events();
    EXPECT_FALSE(page->isEnabled());
    tree.set_rights(cloud_path, 0);
    tree.put_integer(cloud_path, "enable", 1);
    settle_events();
    EXPECT_TRUE(status().contains("Insufficient rights"));
}

TEST_F(CloudPage, FormOfCloudAndLocalValuesSavesLocalOnes)
{
    open();
    QStringList captions;
    for (QLabel *label : in_form<QLabel>())
        captions << label->text();
    EXPECT_EQ("Capacity Minutes zone", captions.join(' '))
        << "a parameter only the cloud sets is shown, an undeclared local one is not";
    auto boxes = in_form<QSpinBox>();
    ASSERT_EQ(2, boxes.size());
    EXPECT_EQ(320, boxes[0]->value());
    EXPECT_EQ(10, boxes[1]->value()) << "the local value over the declared one";
    EXPECT_FALSE(get<QPushButton>("save_button")->isEnabled());

    retype(boxes[0], "400");
    EXPECT_TRUE(get<QPushButton>("save_button")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("revert_button")->isEnabled());
    retype(boxes[0], "320");
    EXPECT_FALSE(get<QPushButton>("save_button")->isEnabled()) << "back to the original value";

    QTest::keyClicks(in_form<QLineEdit>().front(), " lobby");
    click("revert_button");
    EXPECT_EQ(QString("hall"), in_form<QLineEdit>().front()->text());
    EXPECT_FALSE(page->modified());

    retype(in_form<QSpinBox>()[1], "15");
    click("save_button");
    EXPECT_EQ(std::vector<std::string>{"parameters_local"}, written_keys());
    const std::string local = tree.string_value(cloud_path, "parameters_local");
    EXPECT_NE(std::string::npos, local.find("<value>15</value>"));
    EXPECT_NE(std::string::npos, local.find("<value>hall</value>")) << "the cloud's own too";
    EXPECT_FALSE(get<QPushButton>("save_button")->isEnabled());
    EXPECT_EQ(15, in_form<QSpinBox>()[1]->value()) << "the rebuilt form shows what was saved";
}

TEST(CloudFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    const auto scenario = [](memory_host::MemoryHost &host) {
        RecordingNavigator navigator;
        QSetupCloudScript page(&navigator, host.tree().folder(cloud_path), host.server_root());
        settle_events();
        host.tree().put_string(cloud_stats, "last_error", "boom");
        settle_events();
        const auto boxes = page.findChild<QScrollArea *>()->findChildren<QSpinBox *>();
        if (boxes.size() == 2) {
            retype(boxes[0], "1");
            QTest::mouseClick(child<QPushButton>(&page, "revert_button"), Qt::LeftButton);
            retype(boxes[1], "2");
            QTest::mouseClick(child<QPushButton>(&page, "save_button"), Qt::LeftButton);
        }
        settle_events();
        return page.findChild<QLabel *>("status") != nullptr;
    };
    // A refused save leaves the form with what was typed.
    expect_faults_survived(
        [](memory_host::MemoryHost &host) { load_tree_file(host.tree(), "script/cloud.json"); },
        scenario, {"SCRIPT GUI: cannot save"}, 20);
}

} // namespace
