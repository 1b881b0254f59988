#include "script-setup/setup-schedule.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/script-setup/schedule/grid-mouse.h"
#include "tests/support/page-fixture.h"
#include "tests/support/sweep-check.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <memory>

using namespace memory_host;
using Reusable::QSchedulerWidget;

namespace {

const char *const schedule_path = "/DEMO/scripts/sch1";

// sch2 controls ch2; sch3 lists ch3 but controls nothing; ch4 may not be
// changed (no rights value 4); ch5 only survives in the archive.
const char *const server_file = "schedule/server.json";

class SchedulePage : public PageTest
{
protected:
    void SetUp() override { load_tree_file(tree, server_file); }
    void open(const char *path = schedule_path)
    {
        page.reset(new QSetupSchedule(&navigator, tree.folder(path), host.server_root()));
        settle_events();
        tree.clear_calls();
    }
    template <class W> W *get(const char *name) { return child<W>(page.get(), name); }
    QSchedulerWidget &grid() { return *get<QSchedulerWidget>("schedule_frame"); }
    QListWidget *list() { return get<QListWidget>("channels_list"); }
    QListWidgetItem *item(const char *text) { return list()->findItems(text, Qt::MatchExactly)[0]; }
    QStringList items(bool only_checked)
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            if (!only_checked || list()->item(i)->checkState() == Qt::Checked)
                out << list()->item(i)->text();
        return out;
    }
    void click(const char *button)
    {
        QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton);
        settle_events();
    }
    // From the hours on; each full section moves on to the next.
    void type_time(const char *name, const char *digits)
    {
        get<QTimeEdit>(name)->setSelectedSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(get<QTimeEdit>(name), QString::fromLatin1(digits));
    }
    size_t writes() { return tree.calls_of("set_string").size(); }
    std::string stored(const char *key) { return tree.string_value(schedule_path, key); }

    std::unique_ptr<QSetupSchedule> page;
};

TEST_F(SchedulePage, DragOnMondayThenFillRedWritesTheWeek)
{
    open();
    grid_drag(grid(), grid_point(grid(), hms(8, 50), 0), grid_point(grid(), hms(17, 10), 0));
    EXPECT_EQ(QTime(9, 0), get<QTimeEdit>("time1")->time());
    EXPECT_EQ(QTime(17, 0), get<QTimeEdit>("time2")->time());
    click("fillred");
    EXPECT_EQ("0,32400,1,61200,0", stored("schedule_mo"));
    EXPECT_EQ(7u, writes());

    // A click without a drag clears the selection, not the controls.
    grid_drag(grid(), grid_point(grid(), hms(8, 0), 1), grid_point(grid(), hms(12, 0), 2));
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, grid_point(grid(), hms(20, 0), 5));
    EXPECT_EQ(QTime(8, 0), get<QTimeEdit>("time1")->time());
    EXPECT_EQ(2, get<QComboBox>("dayofweek2")->currentIndex());
    click("fillblue");
    EXPECT_EQ("0", stored("schedule_tu"));
}

TEST_F(SchedulePage, TypedTimesSelectExactlyThatRange)
{
    open();
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(get<QComboBox>("dayofweek1"), Qt::Key_Down);
    type_time("time1", "083015");
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(get<QComboBox>("dayofweek2"), Qt::Key_Down);
    type_time("time2", "170045");
    click("fillblue");
    for (const char *key : {"schedule_we", "schedule_th", "schedule_fr"})
        EXPECT_EQ("0,30615,2,61245,0", stored(key)) << key;
    EXPECT_EQ("0", stored("schedule_tu"));
    EXPECT_EQ("0", stored("schedule_sa"));

    type_time("time1", "180000");
    type_time("time2", "090000");
    tree.clear_calls();
    click("fillred");
    EXPECT_EQ(7u, writes()) << "a start after the end fills nothing but writes";
    EXPECT_EQ("0,30615,2,61245,0", stored("schedule_th"));
}

TEST_F(SchedulePage, OpensWithTheStoredWeekAndShowsTheEndOfDayAs235959)
{
    tree.put_string(schedule_path, "schedule_we", "0,3600,2,7200,0");
    open();
    EXPECT_EQ("0,3600,2,7200,0", grid().day(2).to_compact_text());
    EXPECT_EQ(QLocale().dayName(7), get<QComboBox>("dayofweek2")->itemText(6));
    const QPoint start = grid_point(grid(), hms(22, 0), 3);
    grid_drag(grid(), start, QPoint(grid().width() + 50, start.y()));
    EXPECT_EQ(QTime(23, 59, 59), get<QTimeEdit>("time2")->time());
    type_time("time2", "235958");
    EXPECT_EQ(86398, grid().end_second());
    type_time("time2", "235959");
    click("fillred");
    EXPECT_EQ("0,79200,1,86400,0", stored("schedule_th"));

    QTest::keyClick(get<QCheckBox>("snap"), Qt::Key_Space);
    EXPECT_FALSE(grid().snap()) << "the box showed that the grid snaps";
}

TEST_F(SchedulePage, ChannelsOfOtherSchedulesZombiesAndRights)
{
    open();
    EXPECT_EQ("ch1,ch3,ch5", stored("affected_channels")) << "ch2 belongs to sch2";
    EXPECT_EQ((QStringList{"Entrance", "Lobby", "Parking", "Yard"}), items(false)) << "no zombie";
    EXPECT_EQ((QStringList{"Entrance", "Lobby"}), items(true));
    EXPECT_FALSE(item("Parking")->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ("This channel is already used in another schedule", item("Parking")->toolTip());
    EXPECT_FALSE(item("Yard")->flags() & Qt::ItemIsEnabled) << "rights without 4";
    EXPECT_TRUE(item("Yard")->toolTip().isEmpty());

    click_check_box(list(), index_of(list(), item("Entrance")));
    EXPECT_EQ("ch3", stored("affected_channels"));
    click_check_box(list(), index_of(list(), item("Entrance")));
    EXPECT_EQ("ch1,ch3", stored("affected_channels")) << "in list order";
    click("select_none_btn");
    EXPECT_EQ("", stored("affected_channels"));
    click("select_all_btn");
    EXPECT_EQ("ch1,ch3", stored("affected_channels")) << "disabled channels are skipped";
    EXPECT_EQ(4u, writes());
}

TEST_F(SchedulePage, WithoutAScriptsFolderTheOwnChannelsStay)
{
    tree.erase("/DEMO/scripts");
    open("/DEMO/elsewhere/sch9");
    EXPECT_TRUE(host.log().contains("GUI: setup-schedule: Scripts folder not found\n", 2));
    EXPECT_EQ((QStringList{"Entrance", "Parking"}), items(true));
}

TEST_F(SchedulePage, RecordModeSwitchesCaptionsAndOtherClientsChangesAreShownNotWrittenBack)
{
    open();
    auto captions = [this] {
        return QStringList{get<QPushButton>("fillred")->text(),
                           get<QPushButton>("fillblue")->text(),
                           get<QPushButton>("fillgreen")->text()};
    };
    EXPECT_EQ((QStringList{"Disable", "Permanent", "On Detector"}), captions());
    const int width = get<QPushButton>("fillred")->width();
    QTest::keyClick(get<QGroupBox>("affected_channels_box"), Qt::Key_Space);
    EXPECT_EQ((QStringList{"Fill with &red", "Fill with &blue", "Fill with &green"}), captions());
    EXPECT_EQ(0, tree.integer_value(schedule_path, "affect_channels_record_mode"));
    EXPECT_EQ(width, get<QPushButton>("fillgreen")->width()) << "one width for all captions";
    EXPECT_FALSE(list()->isEnabled());

    tree.clear_calls();
    tree.put_string(schedule_path, "affected_channels", "ch4,ch2");
    tree.put_integer(schedule_path, "affect_channels_record_mode", 1);
    tree.put_string(schedule_path, "schedule_mo", "1");
    settle_events();
    EXPECT_TRUE(get<QGroupBox>("affected_channels_box")->isChecked());
    EXPECT_EQ("Disable", get<QPushButton>("fillred")->text().toStdString());
    EXPECT_EQ((QStringList{"Parking", "Yard"}), items(true));
    EXPECT_EQ("0", grid().day(0).to_compact_text()) << "the days are not re-read";
    EXPECT_TRUE(writes() == 0 && tree.calls_of("set_integer").empty());
}

TEST_F(SchedulePage, EditingFollowsRightValue8)
{
    tree.set_rights(schedule_path, 0xff & ~8);
    open();
    const char *controls[] = {"delete_button", "schedule_frame", "snap", "modify_group",
                              "affected_channels_box"};
    for (const char *name : controls)
        EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name;
    // A refused write makes the binder reload and re-enable what it binds.
    tree.fail_calls(FaultRule{"set_string", schedule_path, "name", 1, "refused"});
    QTest::keyClicks(get<QLineEdit>("name"), "x");
    EXPECT_TRUE(host.log().contains("AUTOCONNECT: refused", 2));
    for (const char *name : controls)
        EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name << " after a reload";
    tree.set_rights(schedule_path, 8);
    settle_events();
    for (const char *name : controls)
        EXPECT_TRUE(get<QWidget>(name)->isEnabled()) << name;
}

TEST_F(SchedulePage, DeleteAsksThenRequestsTheErase)
{
    open();
    const std::string question =
        "Delete Confirmation: Are you sure you want to delete schedule 'Office hours'?\n";
    EXPECT_EQ(question + question + "/DEMO/scripts schedule_erase=sch1\n",
              delete_no_then_yes(page.get(), "delete_button", tree));
}

TEST(ScheduleFaults, OpeningFillingAndClickingSurviveEveryRefusedCall)
{
    expect_sweep_clean(
        [](MemoryTree &tree) { load_tree_file(tree, server_file); },
        [](MemoryHost &host) {
            RecordingNavigator navigator;
            QSetupSchedule page(&navigator, host.tree().folder(schedule_path), host.server_root());
            settle_events();
            auto &grid = *child<QSchedulerWidget>(&page, "schedule_frame");
            grid_drag(grid, grid_point(grid, hms(9, 0), 0), grid_point(grid, hms(17, 0), 2));
            QTest::mouseClick(child<QPushButton>(&page, "fillred"), Qt::LeftButton);
            auto *list = child<QListWidget>(&page, "channels_list");
            if (list->count() > 0)
                click_check_box(list, index_of(list, list->item(0)));
            settle_events();
            // Still answering: a fill reaches the host (twice, as the sweep may refuse one).
            grid_drag(grid, grid_point(grid, 0, 6), grid_point(grid, hms(1, 0), 6));
            for (int i = 0; i < 2; ++i)
                QTest::mouseClick(child<QPushButton>(&page, "fillblue"), Qt::LeftButton);
            return host.tree().string_value(schedule_path, "schedule_su").rfind("2,", 0) == 0;
        },
        50);
}

} // namespace
