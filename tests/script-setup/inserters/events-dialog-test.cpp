#include "script-setup/inserters/events-inserter-dialog.h"
#include "tests/script-setup/inserters/inserter-fixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTranslator>
#include <QTreeWidget>

using namespace Rizurividuvez;

namespace {

class EventsDialog : public InserterTest
{
protected:
    void open(int mode, const std::set<std::string> &preselection = {})
    {
        dialog = new QEventsInserterDialog(&host, "DEMO", nullptr, mode, preselection);
        accepted.reset(new QSignalSpy(dialog.data(), &QEventsInserterDialog::accepted));
        dialog->show();
        deliver();
        tree()->expandAll();
    }
    QTreeWidget *tree() { return dialog->findChild<QTreeWidget *>("eventsTree"); }
    QTreeWidgetItem *item(const QString &class_name, const QString &event)
    {
        for (QTreeWidgetItem *c : tree()->findItems(class_name, Qt::MatchExactly))
            for (int i = 0; i < c->childCount(); ++i)
                if (c->child(i)->data(0, Qt::UserRole).toString() == event)
                    return c->child(i);
        return nullptr;
    }
    void tick(const QString &class_name, const QString &event)
    {
        QTreeWidgetItem *it = item(class_name, event);
        ASSERT_TRUE(it);
        click_check_box(tree(), index_of(tree(), it));
    }
    QString press_ok() { return ::press_ok(dialog, *accepted); }

    QPointer<QEventsInserterDialog> dialog;
    std::unique_ptr<QSignalSpy> accepted;
};

// Ticks are kept by event name: a new list ticks every class's event of that name.
TEST_F(EventsDialog, PreselectionTicksTheFirstClassOnlyAndTicksSurviveANewList)
{
    open(QEventsInserterDialog::CHECK_EVENTS, {"Motion"});
    ASSERT_TRUE(item("Detector", "Motion"));
    EXPECT_EQ(Qt::Unchecked, item("Detector", "Motion")->checkState(0));
    tick("Server", "SignalRestored");
    wizard->set_event_types(memory_host::demo_wizard_lists().event_types);
    deliver();
    tree()->expandAll();
    for (const char *c : {"Server", "Camera"})
        tick(c, "SignalRestored"); // both kept ticked, so this unticks them
    tick("Camera", "SignalLost");
    EXPECT_EQ("Motion@SignalLost@Motion", press_ok());
}

TEST_F(EventsDialog, CheckBoxesFollowTheModeAndWithoutThemTheClickedItemIsInserted)
{
    open(0);
    EXPECT_FALSE(item("Camera", "Motion")->data(0, Qt::CheckStateRole).isValid());
    EXPECT_FALSE(item("Camera", "Motion")->flags() & Qt::ItemIsUserCheckable);
    click_index(tree(), index_of(tree(), item("Display", "Attached")));
    EXPECT_EQ("Attached", press_ok());

    open(QEventsInserterDialog::CHECK_EVENTS | QEventsInserterDialog::CHECK_CLASSES);
    EXPECT_EQ(Qt::Unchecked, tree()->findItems("Camera", Qt::MatchExactly)[0]->checkState(0));
}

TEST_F(EventsDialog, QuickSearchNarrowsTheTree)
{
    open(QEventsInserterDialog::CHECK_EVENTS);
    auto *search = dialog->findChild<QLineEdit *>("quicksearch");
    EXPECT_EQ(search, dialog->focusWidget());
    QTest::keyClicks(search, "signall");
    EXPECT_EQ(QStringList({"Camera", "SignalLost", "Server", "SignalLost"}), visible_texts(tree()));
    EXPECT_EQ("", press_ok()) << "nothing ticked";
}

TEST_F(EventsDialog, BadClassesAreSkippedAndTheResultIsUntranslated)
{
    class Translator : public QTranslator
    {
        QString translate(const char *context, const char *source, const char *, int) const override
        {
            return QByteArray(context) == "EventNames" && QByteArray(source) == "Armed"
                       ? QString::fromUtf8("Под охраной")
                       : QString();
        }
    } translator;
    QCoreApplication::installTranslator(&translator);
    wizard->set_classes_and_objects({{"", {1}}, {"Detector", {7, 99}}}, {});
    open(QEventsInserterDialog::CHECK_EVENTS);
    EXPECT_TRUE(host.log().contains("DAVADODAZI: ObjectClass with empty name. Skipping ...\n", 2));
    EXPECT_TRUE(host.log().contains("DAVADODAZI: ObjectClass.possible_events.size() is 2\n"));
    EXPECT_EQ(QStringList({"Detector", QString::fromUtf8("Под охраной")}), visible_texts(tree()))
        << "an unknown event id gives no item";
    tick("Detector", "Armed");
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ("Armed", press_ok());
}

} // namespace
