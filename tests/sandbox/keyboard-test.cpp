// Every page type in the sandbox window with the keyboard alone: Tab from the
// tree visits each control of the page in reading order and goes on to the
// log, Shift+Tab walks back, Ctrl+S saves whichever control has the focus, and
// the shortcut captures let the keys through that leave them.

#include "sandbox/settings-tree-view.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QApplication>
#include <QSet>
#include <QTest>

namespace {

// A spin box's line edit stands for the spin box.
const QWidget *stop_widget(const QWidget *w)
{
    while (w->parentWidget() && w->parentWidget()->focusProxy() == w)
        w = w->parentWidget();
    return w;
}

QString stop_name(const QWidget *w)
{
    w = stop_widget(w);
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Counts the key presses that reach the watched widget.
class KeyRecorder : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys << static_cast<QKeyEvent *>(event)->key();
        return false;
    }
    QList<int> keys;
};

struct PageCase
{
    const char *type;
    const char *name;  // the object's "name"; empty for the scripts folder itself
    const char *stops; // object names (class names where none), blank-separated
    // For a page that saves: the stop where a key changes something unsaved.
    const char *edit;
    Qt::Key edit_key;
    // The key captures the page holds.
    QStringList captures;
};

class Keyboard : public SandboxTest, public ::testing::WithParamInterface<PageCase>
{
protected:
    QWidget *open(const PageCase &c)
    {
        std::string path = scripts();
        for (const std::string &p : objects_of(c.type))
            if (session->tree().string_value(p, "name") == c.name)
                path = p;
        page = window->open_folder(QString::fromStdString(path));
        window->show();
        QApplication::setActiveWindow(window.get());
        session->settle();
        // The operator starts in the tree, on the page's folder.
        auto *tree = window->tree_view();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(tree->currentItem()).center());
        return page;
    }

    QWidget *focus() const { return QApplication::focusWidget(); }
    bool on_page() const { return focus() && page->isAncestorOf(focus()); }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(focus(), key, mods);
        QCoreApplication::processEvents();
    }

    // The stops of the page from the tree on, until the focus leaves the page.
    QStringList walk(Qt::Key key)
    {
        QStringList stops;
        press(key);
        while (on_page() && stops.size() < 200) {
            stops << stop_name(focus());
            walked << stop_widget(focus());
            press(key);
        }
        return stops;
    }

    size_t scripts_written() const
    {
        size_t n = 0;
        for (const memory_host::Call &c : session->tree().calls_of("set_string"))
            n += c.key == "script" || c.key == "templates_order" || c.key == "parameters" ||
                 c.key == "parameters_local";
        return n;
    }

    QWidget *page = nullptr;
    QList<const QWidget *> walked; // the stops' controls, from every walk
};

TEST_P(Keyboard, TabVisitsEveryControlInReadingOrderAndCtrlSSavesFromEach)
{
    const PageCase &c = GetParam();
    start();
    ASSERT_TRUE(open(c));
    QWidget *tree = window->tree_view();
    ASSERT_EQ(tree, focus());

    const QStringList stops = walk(Qt::Key_Tab);
    EXPECT_EQ(c.stops, stops.join(' ').toStdString());
    EXPECT_TRUE(window->findChild<QWidget *>("bottom_tabs")->isAncestorOf(focus()))
        << "after the page comes the log, not " << stop_name(focus()).toStdString();
    // Every control that takes the focus is on the way.
    QStringList reachable;
    for (QWidget *w : page->findChildren<QWidget *>())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !(w->parentWidget() && (w->parentWidget()->focusPolicy() & Qt::TabFocus) &&
              !w->parentWidget()->layout()))
            reachable << stop_name(w);
    // Sections of a time edit are stops of one control; unnamed controls of a
    // kind may stand side by side.
    QStringList visited;
    for (const QWidget *w : QSet<const QWidget *>(walked.begin(), walked.end()))
        visited << stop_name(w);
    reachable.sort();
    visited.sort();
    EXPECT_EQ(reachable.join(' ').toStdString(), visited.join(' ').toStdString());

    QStringList back = walk(Qt::Key_Backtab);
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(stops.join(' ').toStdString(), back.join(' ').toStdString());
    EXPECT_EQ(tree, focus());

    for (const QString &capture : c.captures) {
        press(Qt::Key_Tab);
        while (on_page() && focus()->objectName() != capture)
            press(Qt::Key_Tab);
        ASSERT_TRUE(on_page()) << capture.toStdString();
        KeyRecorder recorder;
        page->installEventFilter(&recorder);
        press(Qt::Key_Escape);
        EXPECT_EQ(QList<int>{Qt::Key_Escape}, recorder.keys) << "Escape goes on to the page";
        QWidget *capturing = focus();
        press(Qt::Key_Tab);
        EXPECT_NE(capturing, focus());
        press(Qt::Key_Backtab);
        EXPECT_EQ(capturing, focus());
        press(Qt::Key_Backtab);
        EXPECT_NE(capturing, focus());
        page->removeEventFilter(&recorder);
        // Back to the tree.
        while (on_page())
            press(Qt::Key_Backtab);
    }

    if (!c.edit)
        return;
    const int edit = int(stops.indexOf(QString::fromLatin1(c.edit)));
    ASSERT_GE(edit, 0);
    for (int at = 0; at < stops.size(); ++at) {
        // Back to the tree, on to the edit, a change, on to the stop, and save.
        while (on_page())
            press(Qt::Key_Backtab);
        for (int i = 0; i <= edit; ++i)
            press(Qt::Key_Tab);
        press(c.edit_key);
        // The save button joins the walk once something is unsaved.
        for (int i = edit, presses = 0; i != at && presses<400; i += at> edit ? 1 : -1)
            do
                press(at > edit ? Qt::Key_Tab : Qt::Key_Backtab);
            while (!stops.contains(stop_name(focus())) && ++presses < 400);
        ASSERT_EQ(stops[at], stop_name(focus()));
        const size_t before = scripts_written();
        press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_LT(before, scripts_written()) << "Ctrl+S at " << stops[at].toStdString();
        // The host's notice of the save keeps the focus where it was, for the
        // next edit and save.
        session->settle();
        ASSERT_TRUE(on_page()) << "after Ctrl+S at " << stops[at].toStdString();
        EXPECT_EQ(stops[at].toStdString(), stop_name(focus()).toStdString());
    }
}

// Each of the eight "Add:" links is a stop of its own.
#define ACTION_LINKS                                                                               \
    "action_links action_links action_links action_links action_links action_links "               \
    "action_links action_links"

INSTANTIATE_TEST_SUITE_P(
    Pages, Keyboard,
    ::testing::Values(
        PageCase{"ScriptFolder",
                 "",
                 "newscript newrule newschedule newemail newloop",
                 nullptr,
                 Qt::Key_unknown,
                 {}},
        // The image selector's button comes first, beside the name.
        PageCase{"Rule",
                 "Panic button F5",
                 "QToolButton name enable delete_button shortcut on_release panel write_condition "
                 "delete_action up down seconds delete_action up down "
                 "channel seconds substream delete_action up down " ACTION_LINKS
                 " clipboard_button reset_button",
                 "shortcut",
                 Qt::Key_F6,
                 {"shortcut"}},
        // The e-mail message passes Tab on like every other field.
        PageCase{"Rule",
                 "Motion at entrance after hours",
                 "QToolButton name enable delete_button event_types_button "
                 "activate_on_all_objects_events objects_button "
                 "condition insert_button delete_condition up down add_condition "
                 "channel seconds delete_action up down "
                 "account recipients {1FB32AC5-8E9B-40D8-8826-C2167922EF03} subject message "
                 "delete_action up down " ACTION_LINKS " clipboard_button reset_button",
                 "condition",
                 Qt::Key_A,
                 {}},
        PageCase{"TemplateLoop",
                 "Lobby monitor cycle",
                 "name monitor_n enable delete_btn shortcut "
                 "selection seconds remove_btn up_btn down_btn "
                 "selection seconds remove_btn up_btn down_btn "
                 "selection seconds remove_btn up_btn down_btn "
                 "selection seconds remove_btn up_btn down_btn "
                 "add_template_btn add_channel_btn to_script_btn",
                 "seconds",
                 Qt::Key_Up,
                 {"shortcut"}},
        // Tab steps through the sections of a time.
        PageCase{"Schedule",
                 "Office hours",
                 "name enable delete_button schedule_frame snap dayofweek1 time1 time1 time1 "
                 "dayofweek2 time2 time2 time2 fillred fillblue fillgreen "
                 "affected_channels_box channels_list select_all_btn select_none_btn",
                 nullptr,
                 Qt::Key_unknown,
                 {}},
        // The parameter rows come before the buttons below them; a time edit
        // has a stop for each of its three sections.
        PageCase{"Script",
                 "Parking lot lights",
                 "QToolButton name enable delete_button QObjectSelector objects_browse QComboBox "
                 "QTimeEdit QTimeEdit QTimeEdit QTimeEdit QTimeEdit QTimeEdit QSpinBox QCheckBox "
                 "parameters_source_switch_button",
                 "QSpinBox",
                 Qt::Key_Up,
                 {}},
        // The rows come in after the page has opened, where they stand.
        PageCase{"CloudScript",
                 "Occupancy counter",
                 "QSpinBox QSpinBox QCheckBox",
                 "QSpinBox",
                 Qt::Key_Up,
                 {}},
        PageCase{"StockScript",
                 "Disk space guard",
                 "name enable QSpinBox QLineEdit parameters_source_switch_button",
                 "QSpinBox",
                 Qt::Key_Up,
                 {}},
        PageCase{"EmailAccount",
                 "Security desk",
                 "delete_button name server_address use_ssl server_port username password "
                 "used_by",
                 nullptr,
                 Qt::Key_unknown,
                 {}}));

} // namespace
