#include "tests/script-setup/loop/loop-fixture.h"
#include "tests/support/sweep-check.h"

#include "script-setup/loop/loop-script.h"
#include "script-setup/loop/templates-order.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using namespace memory_host;

namespace {

TEST_F(LoopPage, ReadsTheStoredOrderAsFarAsItIsWellFormed)
{
    const struct
    {
        const char *stored;
        const char *rows;
        const char *log; // expected at level 2, or ""
    } cases[] = {
        {"t-c:5:0 t-b t-a:5:0", "t-c:5:0", "GUI: setup-loop: badly formatted templates order\n"},
        {"t-c:5:0 t-b:x:0 t-a:5:0", "t-c:5:0",
         "GUI: setup-loop: badly formatted templates order: 'x' is not a number\n"},
        {"t-a:5:2 t-b:6:0", "t-b:6:0", ""},
        {"t-zz:5:0", "t-a:5:0", ""}, // unknown template: the first of the catalogue
        {"\357\273\277ch9:5:1", "\357\273\277ch9:5:1", ""}, // byte-order mark kept
    };
    for (const auto &c : cases) {
        host.log().clear();
        open(c.stored);
        EXPECT_EQ(c.rows, rows_text(page.get())) << c.stored;
        if (*c.log)
            EXPECT_TRUE(host.log().contains(c.log, 2)) << c.stored;
        else
            EXPECT_LT(host.log().max_level(), 2) << c.stored;
        EXPECT_FALSE(get<QPushButton>("save_btn")->isEnabled()) << "nothing changed yet";
    }
}

TEST_F(LoopPage, AnOrderTooLongToShowIsKeptUntilTheListChanges)
{
    // Past the bound nothing is read, not even a malformed token.
    std::string order = "ch2:9:1";
    for (size_t i = 1; i < loop::max_loop_elements; ++i)
        order += " t-b:5:0";
    order += "  t-c:7:0 ch1:3:1 junk";
    open(order.c_str());
    list_objects({object_info("op1", "OperatorGUI", "DEMO")});
    ASSERT_EQ(loop::max_loop_elements, rows_of(page.get()).size());
    EXPECT_TRUE(get<QLabel>("order_too_long")->isVisibleTo(page.get()));
    EXPECT_TRUE(host.log().contains(
        "GUI: setup-loop: templates order too long, only its first 1000 elements are shown\n", 2));
    EXPECT_FALSE(host.log().contains("badly formatted"));

    QTest::keyClick(get<QLineEdit>("shortcut"), Qt::Key_F6);
    click("save_btn");
    EXPECT_EQ(order, stored("templates_order"));
    EXPECT_NE(std::string::npos,
              stored("script").find(",('t-c',7, 'template'),('ch1',3, 'channel'))"))
        << "the script covers the whole kept order";

    click_in_row(0, "remove_btn");
    click("save_btn");
    EXPECT_EQ(loop::max_loop_elements - 1,
              loop::parse_templates_order(stored("templates_order")).entries.size());
    EXPECT_FALSE(get<QLabel>("order_too_long")->isVisibleTo(page.get()));
}

TEST_F(LoopPage, TemplatesAreListedInGuidOrderAsFarAsReadable)
{
    open("t-b:5:0");
    auto *combo = child<QComboBox>(rows_of(page.get()).at(0), "selection");
    ASSERT_EQ(3, combo->count());
    EXPECT_EQ(
        "Zulu Alpha Mid",
        (combo->itemText(0) + " " + combo->itemText(1) + " " + combo->itemText(2)).toStdString());

    tree.fail_calls(FaultRule{"get_string", "/DEMO/templates/t-b", "name", -1, "no way"});
    open("t-b:5:0");
    EXPECT_TRUE(host.log().contains("GUI: setup-loop: cannot read template: no way\n", 2));
    EXPECT_EQ(2, child<QComboBox>(rows_of(page.get()).at(0), "selection")->count());

    tree.erase("/DEMO/templates");
    open("t-b:5:0");
    EXPECT_TRUE(host.log().contains("GUI: setup-loop: templates folder not found!\n", 2));
    EXPECT_EQ(1u, rows_of(page.get()).size());
}

TEST_F(LoopPage, RowsAreAddedMovedAndRemoved)
{
    open();
    page->resize(820, 480);
    page->show();
    click("add_template_btn");
    click("add_channel_btn");
    EXPECT_EQ("", clipped_controls(page.get()));
    EXPECT_GE(rows_of(page.get())[1]->y(), rows_of(page.get())[0]->geometry().bottom());
    EXPECT_FALSE(get<QLabel>("order_too_long")->isVisible());
    click("save_btn");
    EXPECT_EQ("t-a:5:0 ch1:5:1", stored("templates_order"));

    tree.clear_calls();
    click_in_row(0, "up_btn");
    click_in_row(1, "down_btn");
    QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(tree.calls_of("set_string").empty()) << "refused moves change nothing";

    click_in_row(1, "up_btn");
    EXPECT_EQ("ch1:5:1 t-a:5:0", rows_text(page.get()));
    click_in_row(0, "down_btn");
    retype(child<QSpinBox>(rows_of(page.get()).at(1), "seconds"), "12");
    click_in_row(0, "remove_btn");
    QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ("t-a:5:0 ch1:5:1", stored("templates_order")) << "Ctrl+Shift+S does not save";
    QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ("ch1:12:1", stored("templates_order"));
}

TEST_F(LoopPage, AFreshRowTakesTheKeyboardAndTabFollowsAMovedRow)
{
    open();
    page->resize(820, 480);
    page->show();
    QApplication::setActiveWindow(page.get());
    get<QWidget>("name")->setFocus(Qt::TabFocusReason);
    auto *add = get<QPushButton>("add_template_btn");
    for (int i = 0; i < 40 && QApplication::focusWidget() != add; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(add, QApplication::focusWidget()) << "the add buttons follow the rows";
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        settle_events();
        ASSERT_TRUE(rows_of(page.get()).back()->isAncestorOf(QApplication::focusWidget()))
            << "the new row has the focus";
        if (i == 0)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        // Back from the first row to the button.
        for (int n = 0; n < 10 && QApplication::focusWidget() != add; ++n)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(2u, rows_of(page.get()).size());
    // In the second row: selection, seconds, remove, up.
    QWidget *second = rows_of(page.get())[1];
    for (int n = 0; n < 10 && !second->isAncestorOf(QApplication::focusWidget()); ++n)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    while (QApplication::focusWidget()->objectName() != "up_btn")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(second->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    settle_events();
    ASSERT_EQ(second, rows_of(page.get())[0]) << "moved up";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(rows_of(page.get())[1]->isAncestorOf(QApplication::focusWidget()))
        << "after the moved row's arrows comes the row now below it";
}

// A save writes the order as shown, clamped and completed, not as stored.
TEST_F(LoopPage, ShortcutFieldTakesOnlyFunctionKeysAndASaveWritesTheShownOrder)
{
    open("t-a:0:0 ch1:99:1 t-b:7");
    auto *shortcut = get<QLineEdit>("shortcut");
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
    } presses[] = {
        {Qt::Key_F5, Qt::NoModifier, "F5"},
        {Qt::Key_F, Qt::NoModifier, "F5"},
        {Qt::Key_A, Qt::NoModifier, "F5"},
        {Qt::Key_F2, Qt::ControlModifier, "Ctrl+F2"},
        {Qt::Key_Backspace, Qt::NoModifier, "Ctrl+F2"},
    };
    for (const auto &p : presses) {
        QTest::keyClick(shortcut, p.key, p.modifiers);
        EXPECT_EQ(p.text, shortcut->text().toStdString());
    }
    EXPECT_EQ("Ctrl+F2", stored("shortcut")) << "bound field written at once";
    click("save_btn");
    EXPECT_EQ("t-a:1:0 ch1:60:1 t-b:7:0", stored("templates_order"));
    EXPECT_EQ("", stored("script")) << "no operator GUI known";
}

TEST_F(LoopPage, WithoutRightValue8NothingCanBeChanged)
{
    tree.set_rights(loop_path, 0xff & ~8);
    open("t-a:5:0");
    for (const char *name : {"delete_btn", "save_btn", "actionsFrame", "activationFrame"})
        EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name;
    QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
    click("save_btn");
    EXPECT_TRUE(tree.calls_of("set_string").empty());
}

TEST_F(LoopPage, TheFirstOperatorGuiOfTheServerGetsTheScript)
{
    // More monitors than this desktop has screens: the workstation's count counts.
    tree.put_integer(loop_path, "monitor_n", 7);
    open("t-a:5:0 ch1:10:1");
    list_objects({object_info("cam", "Camera", "DEMO"), object_info("op-x", "OperatorGUI", "OTHER"),
                  object_info("op1", "OperatorGUI", "DEMO"),
                  object_info("op2", "OperatorGUI", "DEMO")});
    list_objects({object_info("op2", "OperatorGUI", "DEMO")});

    // A channel added and removed again: an edit that leaves the list as it was.
    click("add_channel_btn");
    QTest::mouseClick(child<QToolButton>(rows_of(page.get()).back(), "remove_btn"), Qt::LeftButton);
    settle_events();
    click("save_btn");
    const std::string script = stored("script");
    EXPECT_EQ(
        loop::generate_loop_script({7, "F5", "op1", {{"t-a", 5, 0}, {"ch1", 10, 1}}}).toStdString(),
        script);
    EXPECT_EQ(7, tree.integer_value(loop_path, "monitor_n"));

    click("to_script_btn");
    EXPECT_EQ(QString::fromStdString(script), QApplication::clipboard()->text());
}

TEST_F(LoopPage, DeletingAsksFirst)
{
    open();
    const std::string question =
        "Delete Confirmation: Are you sure you want to delete template loop 'Lobby'?\n";
    EXPECT_EQ(question + question + "/DEMO/scripts loop_erase=loop1\n",
              delete_no_then_yes(page.get(), "delete_btn", tree));
    click("delete_btn");
    EXPECT_EQ(Qt::NonModal, page->findChild<QMessageBox *>()->windowModality());
}

// Every host call of opening the page, saving and deleting refused in turn.
TEST(LoopPageFaults, EveryRefusalIsLoggedAndLeavesTheLocksBalanced)
{
    expect_sweep_clean(
        [](MemoryTree &tree) {
            load_tree_file(tree, "loop/server.json");
            tree.put_string(loop_path, "templates_order", "t-b:5:0 ch2:10:1");
        },
        [](MemoryHost &host) {
            vx_init(&host);
            auto page = std::make_unique<QSetupLoop>(nullptr, host.tree().folder(loop_path),
                                                     host.server_root());
            settle_events();
            QTest::mouseClick(child<QPushButton>(page.get(), "add_template_btn"), Qt::LeftButton);
            QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
            click_and_answer(page.get(), "delete_btn", QMessageBox::Yes);
            const size_t before = rows_of(page.get()).size();
            QTest::mouseClick(child<QPushButton>(page.get(), "add_channel_btn"), Qt::LeftButton);
            const bool answers = rows_of(page.get()).size() == before + 1;
            page.reset();
            vx_done();
            return answers;
        },
        30);
}

} // namespace
