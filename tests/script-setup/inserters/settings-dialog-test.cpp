#include "script-setup/inserters/settings-inserter-dialog.h"
#include "tests/script-setup/inserters/inserter-fixture.h"
#include "tests/support/sweep-check.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace memory_host;

namespace {

const char *const rule_path = "/DEMO/scripts/rule1";

// /DEMO/a "Area" holds b with an integer, a real and a string; /DEMO/c
// "Cameras" holds a key of value type 0; the rule is /DEMO/scripts/rule1.
const char *const settings_file = "inserters/settings.json";

class SettingsDialog : public PageTest
{
protected:
    void SetUp() override { load_tree_file(tree, settings_file); }
    void open(int flags, bool expand = true)
    {
        dialog = new QSettingsInserterDialog(tree.folder(rule_path), nullptr, 1.0f, flags);
        accepted.reset(new QSignalSpy(dialog.data(), &QSettingsInserterDialog::accepted));
        accepted_type.reset(new QSignalSpy(dialog.data(), &QSettingsInserterDialog::accepted_type));
        dialog->show();
        if (expand)
            tree_widget()->expandAll();
    }
    QTreeWidget *tree_widget() { return dialog->findChild<QTreeWidget *>("settingsTree"); }
    // The item whose texts from the top down are the path's parts.
    QTreeWidgetItem *item(const QString &path)
    {
        for (QTreeWidgetItemIterator it(tree_widget()); *it; ++it) {
            QString full = (*it)->text(0);
            for (QTreeWidgetItem *up = (*it)->parent(); up; up = up->parent())
                full = up->text(0) + '/' + full;
            if (full == path)
                return *it;
        }
        return nullptr;
    }
    // A failure when the path leads to no item.
    QModelIndex at(const QString &path)
    {
        QTreeWidgetItem *it = item(path);
        EXPECT_TRUE(it) << path.toStdString();
        return it ? index_of(tree_widget(), it) : QModelIndex();
    }
    QString press_ok() { return ::press_ok(dialog, *accepted); }

    QPointer<QSettingsInserterDialog> dialog;
    std::unique_ptr<QSignalSpy> accepted, accepted_type;
};

TEST_F(SettingsDialog, ReferencesForEachCallerFlags)
{
    struct Case
    {
        int flags;
        const char *choice;
        const char *expected;
        const char *type; // nullptr: no type emitted
    };
    const Case cases[] = {
        {0x1e, "a/b/key", "a/b/key", "integer"},
        {0x1e, "a/b/gain", "a/b/gain", "real"},
        {0x1e, "a/b/label", "a/b/label", "string"},
        {0x26, "a/b/key", "settings(\"a/b\")[\"key\"]", nullptr},
        {0x26, "a/b", "settings(\"a/b\")", nullptr},
        {38, "scripts/rule1", "settings(\"scripts/rule1\")", nullptr},
        {0x1e, "c/odd", "c/odd", "unknown"}, // and logged
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.choice);
        open(c.flags);
        click_index(tree_widget(), at(c.choice));
        EXPECT_EQ(c.expected, press_ok());
        if (c.type) {
            ASSERT_EQ(1, accepted_type->count());
            EXPECT_EQ(c.type, accepted_type->at(0).at(0).toString());
        } else {
            EXPECT_EQ(0, accepted_type->count());
        }
    }
    EXPECT_TRUE(host.log().contains("TYPE: 0\n", 2));
}

// Ticked and preselected paths, named roots first, then the rest depth first.
TEST_F(SettingsDialog, FilterModeReturnsEveryTickedPathDepthFirst)
{
    open(0x23);
    EXPECT_FALSE(item("a/b/key")) << "no values without flag 0x4";
    EXPECT_EQ("Area", item("a")->text(1));
    click_check_box(tree_widget(), at("c"));
    click_check_box(tree_widget(), at("a/b"));
    click_check_box(tree_widget(), at("a"));
    EXPECT_EQ("settings(\"a\")@ settings(\"a/b\")@ settings(\"c\")", press_ok());

    open(0x23 | 0x4);
    dialog->add_named_root("a_b", "a/b");
    dialog->preselect({"c", "a/b/key"});
    tree_widget()->expandAll();
    click_check_box(tree_widget(), at("a_b/gain"));
    EXPECT_EQ("a_b[\"gain\"]@ settings(\"a/b\")[\"key\"]@ settings(\"c\")", press_ok());
}

TEST_F(SettingsDialog, FoldersTooLargeToShowAtOnceAreReadWhenTheUserLooksThere)
{
    for (int i = 0; i < 1000; ++i)
        tree.put_integer("/DEMO/channels/ch" + std::to_string(i), "k", i);
    tree.clear_calls();
    open(0x26, false);
    EXPECT_LT(tree.calls_of("list_keys").size(), 100u);
    ASSERT_TRUE(item("channels"));
    tree_widget()->expandItem(item("channels"));
    EXPECT_TRUE(item("channels/ch5/k"));
    delete dialog;

    open(0x26, false);
    auto *search = dialog->findChild<QLineEdit *>("quicksearch");
    EXPECT_EQ(search, dialog->focusWidget());
    QTest::keyClicks(search, "CH999");
    EXPECT_EQ(QStringList({"channels", "ch999", "k"}), visible_texts(tree_widget()));

    open(0x23 | 0x4, false);
    dialog->preselect({"channels/ch7/k"});
    EXPECT_EQ("settings(\"channels/ch7\")[\"k\"]", press_ok());
}

TEST(SettingsDialogFaults, RefusedReadsAreLoggedAndLeaveNoLockHeld)
{
    expect_sweep_clean(
        [](MemoryTree &tree) { load_tree_file(tree, settings_file); },
        [](MemoryHost &host) {
            QPointer<QSettingsInserterDialog> dialog =
                new QSettingsInserterDialog(host.tree().folder(rule_path), nullptr, 1.0f, 0x26);
            dialog->add_named_root("a_b", "a/b");
            QSignalSpy accepted(dialog.data(), &QSettingsInserterDialog::accepted);
            QTest::mouseClick(dialog->findChild<QPushButton *>("ok_button"), Qt::LeftButton);
            settle_events();
            return accepted.count() == 1 && dialog.isNull();
        });
}

} // namespace
