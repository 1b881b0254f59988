#include "qt4-pavo7/reusable/objects/objects-model.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "tests/script-setup/inserters/inserter-fixture.h"

#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QTreeWidget>

namespace {

class ObjectsDialog : public InserterTest
{
protected:
    void open(int flags, const std::set<std::string> &preselection = {},
              const std::set<std::string> &event_types = {})
    {
        dialog = new QObjectsInserterDialog(&host, "DEMO", nullptr, flags, preselection);
        if (!event_types.empty())
            dialog->set_event_types(event_types);
        accepted.reset(new QSignalSpy(dialog.data(), &QObjectsInserterDialog::accepted));
        dialog->show();
        deliver();
    }
    QTreeView *objects() { return dialog->findChild<QTreeView *>("objectsTree"); }
    QTreeWidget *properties() { return dialog->findChild<QTreeWidget *>("propertyTree"); }
    QListWidget *values() { return dialog->findChild<QListWidget *>("stateValuesList"); }
    QModelIndex object_index(const QString &name)
    {
        const QModelIndexList found =
            objects()->model()->match(objects()->model()->index(0, 0), Qt::DisplayRole, name, 1,
                                      Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    void choose_object(const QString &name) { click_index(objects(), object_index(name)); }
    void tick_object(const QString &name) { click_check_box(objects(), object_index(name)); }
    // Clicks the one item of the tree or list with the text, or its check box.
    template <class View> void choose(View *view, const QString &text, bool tick = false)
    {
        const auto found = view->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(1, found.size()) << text.toStdString();
        (tick ? click_check_box : click_index)(view, index_of(view, found[0]));
    }
    QString press_ok() { return ::press_ok(dialog, *accepted); }

    QPointer<QObjectsInserterDialog> dialog;
    std::unique_ptr<QSignalSpy> accepted;
};

// A ticked object that raises none of the events is questioned: No keeps the
// dialog open, Yes accepts; a display raises Attached and needs no question.
TEST_F(ObjectsDialog, EventsNoObjectRaisesAreQuestioned)
{
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        open(0x791, {}, {"Motion", "Attached"});
        tick_object("Cam 1");
        QTest::mouseClick(dialog->findChild<QPushButton *>("ok_button"), Qt::LeftButton);
        auto *question = dialog->findChild<QMessageBox *>("events_question");
        ASSERT_TRUE(question);
        EXPECT_EQ("Events", question->windowTitle());
        EXPECT_EQ("There are events that will never be activated. Do you want to proceed?",
                  question->text());
        QTest::mouseClick(question->button(answer), Qt::LeftButton);
        settle_events();
        if (answer == QMessageBox::Yes) {
            EXPECT_EQ(QList<QVariantList>{{"object(\"Cam 1\")"}}, QList<QVariantList>(*accepted));
            continue;
        }
        ASSERT_FALSE(dialog.isNull());
        tick_object("Wall monitor");
        EXPECT_EQ("object(\"Cam 1\")@ object(\"Wall monitor\")", press_ok());
    }
}

// What each caller's flags make of the user's choice: ticked objects in their
// object form, or the chosen object, property and value.
TEST_F(ObjectsDialog, EachCallerGetsItsForm)
{
    const struct
    {
        int flags;
        const char *preselected, *ticks; // object names joined by ','
        const char *choice;              // "object|property|value", parts may be empty
        const char *expected;
    } cases[] = {
        {0x791, "", "Cam 2,Cam 1", "", "object(\"Cam 1\")@ object(\"Cam 2\")"},
        {1937, "Cam 2,Door sensor", "Parking,Door sensor", "",
         "object(\"Cam 2\")@ object(\"Parking\")"},
        {0x903, "", "", "Cam 1|goto_preset(string_preset)", "Cam 1.goto_preset(string_preset)"},
        {1935, "", "", "Wall monitor", "object(\"Wall monitor\")"},
        {1935, "", "", "Cam 2|move(integer_x, integer_y)",
         "object(\"Cam 2\").move(integer_x, integer_y)"},
        {1935, "", "", "Cam 2|recording", "object(\"Cam 2\").state(\"recording\")"},
        {1935, "", "", "Parking|signal|Present",
         "object(\"Parking\").state(\"signal\") == \"Present\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        std::set<std::string> preselection;
        for (const QString &name : QString(c.preselected).split(',', Qt::SkipEmptyParts))
            preselection.insert(name.toStdString());
        open(c.flags, preselection);
        const QStringList choice = QString(c.choice).split('|', Qt::SkipEmptyParts);
        EXPECT_EQ(!choice.isEmpty(), properties()->isVisible());
        for (const QString &name : QString(c.ticks).split(',', Qt::SkipEmptyParts))
            tick_object(name);
        if (choice.size() > 0)
            choose_object(choice[0]);
        if (choice.size() > 1)
            choose(properties(), choice[1]);
        if (choice.size() > 2)
            choose(values(), choice[2]);
        EXPECT_EQ(c.expected, press_ok());
    }
}

TEST_F(ObjectsDialog, AStateIsComparedWithTheChosenOperation)
{
    open(0x78d);
    EXPECT_TRUE(values()->isVisible());
    choose_object("Cam 1");
    EXPECT_EQ(QStringList({"recording", "signal"}), visible_texts(properties()))
        << "states only, sorted";
    choose(properties(), "signal");
    EXPECT_EQ(2, values()->count());
    choose(values(), "Lost");
    QTest::keyClick(dialog->findChild<QComboBox *>("operationComboBox"), Qt::Key_Down);
    EXPECT_EQ("object(\"Cam 1\").state(\"signal\") != \"Lost\"", press_ok());
}

TEST_F(ObjectsDialog, TickedPropertiesAndValuesAreTheResult)
{
    open(0x2 | 0x4 | 0x20 | 0x40 | 0x200);
    choose_object("Cam 1");
    choose(properties(), "reboot()", true);
    choose(properties(), "signal", true);
    choose_object("Parking");
    choose(properties(), "signal", true);
    choose_object("Cam 1");
    EXPECT_EQ(Qt::Checked, properties()->findItems("reboot()", Qt::MatchExactly)[0]->checkState(0));
    choose(properties(), "signal", true);
    EXPECT_EQ("object(\"Cam 1\").reboot()@ object(\"Parking\").state(\"signal\")", press_ok());
}

TEST_F(ObjectsDialog, BeforeTheCatalogueArrivesOkGivesNothing)
{
    dialog = new QObjectsInserterDialog(nullptr, "DEMO", nullptr, 0x791, {"Cam 1"});
    dialog->set_event_types({"Motion"});
    accepted.reset(new QSignalSpy(dialog.data(), &QObjectsInserterDialog::accepted));
    dialog->show();
    EXPECT_EQ("", press_ok());
}

} // namespace
