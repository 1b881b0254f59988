#include "qt4-pavo7/reusable/channel-edit.h"
#include "qt4-pavo7/reusable/image-selector.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"
#include "tests/support/sweep-check.h"
#include "tests/support/tree-file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

using namespace memory_host;

namespace {

const char *const dir = "/DEMO/rule";

// One key for each control of the page below; "locked" is read-only and
// "hidden" of value type 0.
void fill_folder(MemoryTree &tree)
{
    load_tree_file(tree, "autoconnect/rule.json");
}

// Clicks the indicator, which a wide button does not have at its centre.
void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// A page with one named control of every kind, plus the awkward ones.
struct Page : QWidget
{
    template <class W> W *add(const char *name, W *w)
    {
        w->setObjectName(name);
        box->addWidget(w);
        return w;
    }
    explicit Page(Settings server_root)
    {
        mode->addItems({"low", "high"});
        level->addItem("ten", 10);
        level->addItem("twenty", 20);
        level->addItem("broken", "x");
        enabled->setTristate(true);
        group->setCheckable(true);
        channel->set_server(server_root);
    }
    QVBoxLayout *box = new QVBoxLayout(this);
    QLineEdit *title = add("title", new QLineEdit);
    QLineEdit *locked = add("locked", new QLineEdit);
    QLineEdit *hidden = add("hidden", new QLineEdit);
    QLineEdit *odd = add("odd", new QLineEdit);
    QFrame *frame = add("frame", new QFrame);
    QComboBox *mode = add("mode", new QComboBox);
    QComboBox *level = add("level", new QComboBox);
    QSpinBox *count = add("count", new QSpinBox);
    QSlider *volume = add("volume", new QSlider(Qt::Horizontal));
    QCheckBox *enabled = add("enabled", new QCheckBox("Enabled"));
    QRadioButton *radio_a = add("radio_a", new QRadioButton("A"));
    QRadioButton *radio_b = add("radio_b", new QRadioButton("B"));
    QGroupBox *group = add("group", new QGroupBox("Group"));
    QDoubleSpinBox *ratio = add("ratio", new QDoubleSpinBox);
    QLabel *caption = add("caption", new QLabel);
    QLabel *number = add("number", new QLabel);
    Reusable::QImageSelector *picture = add("picture", new Reusable::QImageSelector(16, 8, 8));
    Reusable::QChannelEdit *channel = add("channel", new Reusable::QChannelEdit);
};

class AutoConnect : public PageTest
{
protected:
    void SetUp() override
    {
        fill_folder(tree);
        page.reset(new Page(host.server_root()));
        binder.reset(new QAutoConnect(tree.folder(dir)));
        binder->connect_children(page.get());
        binder->load_values();
        binder->connect_signals(true);
        tree.clear_calls();
    }
    size_t writes(const std::string &key = std::string())
    {
        size_t n = 0;
        for (const Call &c : tree.calls())
            if (c.op.rfind("set_", 0) == 0 && (key.empty() || c.key == key))
                ++n;
        return n;
    }
    std::unique_ptr<Page> page;
    std::unique_ptr<QAutoConnect> binder;
};

TEST_F(AutoConnect, LoadingShowsWhatTheFolderSaysOfEachKeyAndMarksNothingChanged)
{
    EXPECT_FALSE(page->locked->isEnabled()) << "read-only key";
    EXPECT_EQ("fixed", page->locked->text());
    EXPECT_FALSE(page->hidden->isEnabled()) << "value type 0";
    EXPECT_TRUE(page->hidden->text().isEmpty()) << "and left unbound";
    EXPECT_TRUE(host.log().contains("AUTOCONNECT: cannot bind value 'odd'\n", 2));
    EXPECT_TRUE(page->odd->isEnabled());
    EXPECT_TRUE(page->frame->isEnabled());
    EXPECT_FALSE(host.log().contains("'frame'")) << "names that are no keys are skipped silently";

    // Flipping the radio pair makes the unblocked sibling report a change;
    // values missing from a combo leave it as it was.
    tree.put_integer(dir, "radio_a", 1);
    tree.put_integer(dir, "radio_b", 0);
    tree.put_string(dir, "mode", "medium");
    tree.put_integer(dir, "level", 99);
    QSignalSpy made(binder.get(), &QAutoConnect::user_has_made_changes);
    binder->load_values();
    settle_events();
    EXPECT_TRUE(host.log().contains("AUTOCONNECT: cannot find 'medium' in combo 'mode'\n", 2));
    EXPECT_TRUE(host.log().contains("AUTOCONNECT: cannot find 99 in combo 'level'\n", 2));
    const auto n = [](double v) {
        return QString::number(v);
    };
    const QStringList shown{page->title->text(),           page->mode->currentText(),
                            page->level->currentText(),    n(page->count->value()),
                            n(page->volume->value()),      n(page->enabled->checkState()),
                            n(page->radio_a->isChecked()), n(page->radio_b->isChecked()),
                            n(page->group->isChecked()),   n(page->ratio->value()),
                            page->caption->text(),         page->number->text(),
                            page->channel->channel()};
    EXPECT_EQ(QStringList({"hello", "high", "twenty", "5", "7", "2", "1", "0", "0", "2.5",
                           "Caption", "42", "2_DEMO"}),
              shown);
    EXPECT_EQ(0u, writes());
    EXPECT_EQ(0, made.count());
    EXPECT_FALSE(binder->changes_pending());
}

TEST_F(AutoConnect, EachKindStoresWhatTheUserChose)
{
    page->show();
    QTemporaryDir tmp;
    QImage red(4, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(tmp.filePath("red.png")));
    const struct
    {
        const char *key;
        std::function<void()> act;
        const char *stored; // null: compared below
    } cases[] = {
        {"enabled", [&] { click(page->enabled); }, "0"},
        {"enabled", [&] { click(page->enabled); }, "0"}, // partly checked
        {"enabled", [&] { click(page->enabled); }, "1"},
        {"radio_a", [&] { click(page->radio_a); }, "1"},
        {"group", [&] { QTest::keyClick(page->group, Qt::Key_Space); }, "1"},
        {"count", [&] { QTest::keyClick(page->count, Qt::Key_Up); }, "6"},
        {"volume", [&] { QTest::keyClick(page->volume, Qt::Key_Up); }, "8"},
        {"ratio", [&] { QTest::keyClick(page->ratio, Qt::Key_Up); }, "3.5"},
        {"mode", [&] { QTest::keyClick(page->mode, Qt::Key_Up); }, "low"},
        {"level", [&] { QTest::keyClick(page->level, Qt::Key_Up); }, "10"},
        {"channel", [&] { QTest::keyClick(page->channel, Qt::Key_Down); }, "1_DEMO"},
        {"picture",
         [&] {
             QTimer::singleShot(0, page->picture, [&] {
                 answer_file_dialog(page->picture, tmp.filePath("red.png"));
             });
             QTest::mouseClick(page->picture->findChild<QToolButton *>(), Qt::LeftButton);
         },
         nullptr},
    };
    for (const auto &c : cases) {
        QSignalSpy made(binder.get(), &QAutoConnect::user_has_made_changes);
        tree.clear_calls();
        c.act();
        EXPECT_GE(made.count(), 1) << c.key;
        EXPECT_EQ(1u, writes(c.key)) << c.key;
        EXPECT_FALSE(binder->changes_pending()) << c.key;
        if (c.stored) {
            EXPECT_EQ(c.stored, tree.string_value(dir, c.key)) << c.key;
        }
    }
    EXPECT_EQ(Qt::Checked, page->enabled->checkState());
    EXPECT_EQ(0, tree.integer_value(dir, "radio_b")) << "the radio the user left is stored too";
    EXPECT_EQ(page->picture->image_text().toStdString(), tree.string_value(dir, "picture"));
    EXPECT_FALSE(tree.string_value(dir, "picture").empty());

    tree.clear_calls();
    QTest::keyClick(page->level, Qt::Key_Down);
    QTest::keyClick(page->level, Qt::Key_Down);
    EXPECT_EQ("broken", page->level->currentText());
    EXPECT_EQ(1u, writes("level")) << "only the integer item is stored";
    EXPECT_TRUE(host.log().contains("AUTOCONNECT: INTEGER_AGAINST_COMBO save failed\n", 2));
}

TEST_F(AutoConnect, AReadOnlyKeyKeepsItsChangePendingUntilSavedOrItsRightsChange)
{
    page->locked->setText("changed"); // the page itself may still fill a disabled field
    EXPECT_EQ(0u, writes("locked"));
    EXPECT_TRUE(binder->changes_pending());

    tree.set_writable(dir, "locked", true); // the binder has not been told yet
    binder->save_values(true);
    EXPECT_EQ(0u, writes("locked"));
    EXPECT_TRUE(binder->changes_pending());
    binder->save_values(false);
    EXPECT_EQ("changed", tree.string_value(dir, "locked"));
    EXPECT_FALSE(binder->changes_pending());

    tree.set_writable(dir, "title", false);
    binder->rights_changed();
    EXPECT_TRUE(page->locked->isEnabled());
    EXPECT_FALSE(page->title->isEnabled());
    EXPECT_TRUE(page->caption->isEnabled()) << "labels are display only";
    page->title->setText("x");
    EXPECT_EQ(0u, writes("title"));
}

TEST_F(AutoConnect, ARefusedWriteRollsBackToTheStoredValue)
{
    QSignalSpy made(binder.get(), &QAutoConnect::user_has_made_changes);
    tree.fail_calls(FaultRule{"set_string", "", "title", 1, "server says no"});
    QTest::keyClick(page->title, 'x');
    EXPECT_EQ("hello", page->title->text());
    EXPECT_EQ(1, made.count());
    EXPECT_FALSE(binder->changes_pending());
    QTest::keyClick(page->title, 'y');
    EXPECT_EQ("helloy", tree.string_value(dir, "title"));
}

TEST(AutoConnectFaults, EveryRefusedCallIsLoggedAndTheBinderStaysUsable)
{
    expect_sweep_clean(
        fill_folder,
        [](MemoryHost &host) {
            Page page(host.server_root());
            QAutoConnect binder(host.tree().folder(dir));
            binder.connect_children(&page);
            binder.load_values();
            binder.connect_signals(true);
            QTest::keyClick(page.title, 'x');
            click(page.radio_a);
            settle_events();
            // Unless the refusal kept "title" from being bound, it still writes: a
            // refused read while loading must not leave the binder deaf.
            bool bound = false;
            for (const Call &c : host.tree().calls_of("key_writable"))
                bound = bound || (c.key == "title" && c.value != "<refused>");
            host.tree().clear_faults();
            QTest::keyClick(page.title, 'y');
            return !bound ||
                   host.tree().string_value(dir, "title") == page.title->text().toStdString();
        },
        40);
}

} // namespace
