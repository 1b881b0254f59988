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
#include "script-setup/wizard/dava-dodazi-receiver.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <map>

namespace {

using memory_host::FolderSnapshot;

using DemoServer = SandboxTest;

TEST_F(DemoServer, HoldsTheObjectsAndFoldersThePagesRead)
{
    start();
    const FolderSnapshot folder = session->tree().snapshot(scripts());
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
    // A rule's stored script is what its page's Save stores: the page copies that.
    for (const auto &object : folder.folders) {
        if (object.second.type != "Rule")
            continue;
        const std::string path = scripts() + "/" + object.first;
        QWidget *page = window->open_folder(QString::fromStdString(path));
        session->settle();
        QApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>(page, "clipboard_button"), Qt::LeftButton);
        EXPECT_EQ(session->tree().string_value(path, "script"),
                  QApplication::clipboard()->text().toStdString())
            << object.second.keys.at("name").text;
    }

    // The server-wide folders hold what the pages read.
    const std::string server = session->server_path();
    const FolderSnapshot channels = session->tree().snapshot(server + "/channels");
    EXPECT_EQ(24u, channels.folders.size());
    int without_right_4 = 0;
    for (const auto &c : channels.folders) {
        EXPECT_EQ('s', c.second.keys.at("name").type);
        without_right_4 += !(c.second.rights & 4);
    }
    EXPECT_EQ(1, without_right_4);
    EXPECT_GE(session->tree().children(server + "/templates").size(), 3u);
    EXPECT_NE("",
              session->tree().string_value(server + "/system_wide_options", "screenshots_folder"));
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
    std::map<std::string, int> of_type;
    for (const auto &object : tree.snapshot("/DEMO/scripts").folders)
        ++of_type[object.second.type];
    EXPECT_EQ(500, of_type["Script"]);
    EXPECT_EQ(200, of_type["Rule"]);
    EXPECT_EQ(50, of_type["Schedule"]);
    EXPECT_EQ(20, of_type["TemplateLoop"]);
}

// Registered as the rule page registers its receiver of the wizard lists.
TEST_F(DemoServer, WizardServiceDeliversTheFileListsAndFollowsTheSchedules)
{
    start();
    auto receiver = DavaDodaziServiceReceiverImp::create("DEMO", false);
    std::atomic<bool> on_own_thread{false};
    QObject::connect(
        receiver.get(), &DavaDodaziServiceReceiverImp::objects_list_changed, receiver.get(),
        [&] { on_own_thread = QThread::currentThread() != qApp->thread(); }, Qt::DirectConnection);
    session->host().register_consumer(receiver);
    session->services().wait_idle();
    const auto objects_of = [&](const std::string &cls, const std::string &parent) {
        const auto objects = receiver->copy_objects();
        return std::count_if(objects.begin(), objects.end(), [&](const auto &o) {
            return o.class_name == cls && o.parent_id == parent;
        });
    };
    EXPECT_TRUE(on_own_thread);
    EXPECT_FALSE(receiver->copy_classes().empty());
    EXPECT_FALSE(receiver->copy_event_types().empty());
    EXPECT_FALSE(receiver->copy_sounds().empty());
    EXPECT_EQ(2, objects_of("Schedule", "DEMOS"));
    EXPECT_EQ(23, objects_of("Camera", "DEMO")) << "every channel but the zombie";
    EXPECT_GE(objects_of("OperatorGUI", "DEMO"), 1);

    session->simulator().create_object(scripts(), *sandbox::kind_named("schedule"), "");
    session->tree().folder(this->objects_of("Schedule").front())->set_string("name", "Renamed");
    session->settle();
    EXPECT_EQ(3, objects_of("Schedule", "DEMOS"));
    receiver->detach();
}

// The tour grabs the scripts folder and its eighteen objects once each. A
// client gives a page room in proportion to its size factor; in that room no
// page, nor a scroll area of it, may need a horizontal scroll bar, and the
// page's text grows with it.
TEST_F(DemoServer, TourFitsEveryPageAtEverySizeFactor)
{
    start();
    for (const float factor : {1.0f, 1.5f, 2.0f}) {
        SCOPED_TRACE(factor);
        session->host().pages().scale().set_factor(factor);
        QTemporaryDir dir;
        QString printed;
        QTextStream out(&printed);
        bool ok = false;
        const auto stops = sandbox::run_tour(*window, *session, dir.path(), out, &ok);
        ASSERT_EQ(19u, stops.size());
        EXPECT_EQ(19, QDir(dir.path()).entryList({"*.png"}).size());
        EXPECT_EQ(19, printed.count('\n'));
        for (const auto &stop : stops) {
            EXPECT_TRUE(stop.file.contains(stop.type + "-")) << stop.file.toStdString();
            EXPECT_EQ(QSize(920, 669) * factor, stop.area) << stop.file.toStdString();
            EXPECT_TRUE(stop.too_wide.isEmpty())
                << stop.file.toStdString() << ": " << stop.too_wide.join(", ").toStdString();
            EXPECT_TRUE(stop.small_text.isEmpty())
                << stop.file.toStdString() << ": " << stop.small_text.join(", ").toStdString();
        }
    }
    EXPECT_TRUE(session->host().log().contains("SANDBOX: calling vx_init"));
    EXPECT_TRUE(session->host().log().contains("SANDBOX: calling vx_after_load"));
}

// What the style draws beside the text grows with it: the arrows of spin and
// combo boxes, check and radio marks, on rows built with the page or later
// and under the rule page's style sheet.
TEST_F(DemoServer, StyleDrawnMarksGrowWithTheSizeFactor)
{
    struct Mark
    {
        const char *type, *name, *control; // object name, or class of the first
    };
    const Mark marks[] = {{"Script", "Parking lot lights", "QSpinBox"},
                          {"Script", "Parking lot lights", "QTimeEdit"},
                          {"Script", "Parking lot lights", "QComboBox"},
                          {"Script", "Parking lot lights", "enable"},
                          {"CloudScript", "Occupancy counter", "QCheckBox"},
                          {"Rule", "Panic button F5", "enable"},
                          {"Rule", "Panic button F5", "seconds"},
                          {"EmailAccount", "Security desk", "use_ssl"}};
    const auto rect_of = [](QWidget *w) {
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
            QStyleOptionSpinBox o;
            o.initFrom(spin);
            o.buttonSymbols = spin->buttonSymbols();
            o.subControls = QStyle::SC_All;
            return w->style()->subControlRect(QStyle::CC_SpinBox, &o, QStyle::SC_SpinBoxUp, w);
        }
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox o;
            o.initFrom(combo);
            o.subControls = QStyle::SC_All;
            return w->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxArrow, w);
        }
        QStyleOptionButton o;
        o.initFrom(w);
        return w->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &o, w);
    };
    start();
    std::map<std::pair<float, int>, QSize> sizes;
    for (const float factor : {1.0f, 2.0f}) {
        session->host().pages().scale().set_factor(factor);
        for (int i = 0; i < int(std::size(marks)); ++i) {
            const Mark &m = marks[i];
            std::string path;
            for (const std::string &p : objects_of(m.type))
                if (session->tree().string_value(p, "name") == m.name)
                    path = p;
            QWidget *page = window->open_folder(QString::fromStdString(path));
            session->settle();
            QWidget *control = page->findChild<QWidget *>(m.control);
            for (QWidget *w : page->findChildren<QWidget *>())
                if (!control && w->metaObject()->className() == QByteArray(m.control))
                    control = w;
            ASSERT_TRUE(control) << m.type << " " << m.control;
            sizes[{factor, i}] = rect_of(control).size();
        }
    }
    for (int i = 0; i < int(std::size(marks)); ++i) {
        const QSize one = sizes[{1.0f, i}], two = sizes[{2.0f, i}];
        // Arrow buttons are as high as the box, which the text decides.
        EXPECT_GE(two.width(), 1.8 * one.width()) << marks[i].type << " " << marks[i].control;
    }
}

TEST(SandboxOptions, ReadsTheCommandLine)
{
    sandbox::Options o;
    QString error;
    ASSERT_TRUE(sandbox::parse_options(
        {"sandbox", "--plugin", "p.so", "--tour", "t", "--demo-size", "large"}, o, &error));
    EXPECT_EQ("t", o.tour_dir);
    EXPECT_TRUE(o.large);
    EXPECT_TRUE(o.headless());
    EXPECT_FALSE(o.huge);
    ASSERT_TRUE(sandbox::parse_options({"sandbox", "--demo-size", "huge"}, o, &error));
    EXPECT_TRUE(o.large && o.huge);
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--demo-size", "giant"}, o, &error));
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--tree"}, o, &error));
    EXPECT_FALSE(
        sandbox::parse_options({"sandbox", "--tree", "f", "--demo-size", "large"}, o, &error));
    EXPECT_FALSE(sandbox::parse_options({"sandbox", "--bogus"}, o, &error));
}

} // namespace
